// Needs a library that is nowhere, so the loader stops it before main:
// the test checks that Wine, as the scripts run it, says which library.
extern "C" __declspec(dllimport) int AbsentFunction();

int main()
{
    return AbsentFunction();
}
