// The program's entry point.
#include "framework/winapp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, char*, int)
{
    return AfxWinMain();
}
