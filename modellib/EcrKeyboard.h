#pragma once

// The keyboard group (window 23) as the keyboard screen reads it. Every value
// is read through the field codec as a decimal number.
enum EcrKeyboardTable : int
{
    KEYBOARD_MAP = 0,    // one record per keyboard row; field c = key index of column c
    KEYBOARD_LIST = 1,   // one record per key function
    KEYBOARD_MERGE = 2,  // one record per merged key; may be absent or empty
};

enum EcrKeyListField : int
{
    KEYLIST_ASSIGNABLE = 0,  // 1: listed and assignable; else a fixed key
    KEYLIST_CODE = 1,        // the register's key code; not read by the program
    KEYLIST_NAME = 2,
};

enum EcrMergeField : int
{
    MERGE_FIRST_COLUMN = 0,
    MERGE_FIRST_ROW = 1,
    MERGE_LAST_COLUMN = 2,
    MERGE_LAST_ROW = 3,
};
