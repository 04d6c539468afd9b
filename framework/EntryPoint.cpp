#include "framework/WinApp.h"

// The program's entry point hands over to the one application object.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunApplication(); }
