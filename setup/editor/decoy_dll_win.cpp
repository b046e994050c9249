// Stands in for a system DLL of the same name put beside a program: it
// exports only this marker, which no system DLL has.
extern "C" __declspec(dllexport) int VelderDecoy() { return 1; }
