#pragma once

// Whether the serial port COM<number> exists and is free: it is opened for
// reading and writing, unshared, and closed at once. The transfer dialog
// lists the ports that open this way and the communication program finds
// the chosen one again by the same test.
bool ComPortOpens(int number);
