// A plug-in DLL with the seven exports and nothing behind them: what loading, starting and
// pressing cost before any of a plug-in's own work. Built by run.sh for the measurement only.
#include <windows.h>

extern "C" {
void __stdcall OnCommand(HWND)
{
}
BOOL __stdcall QueryStatus(HWND, LPBOOL)
{
    return FALSE;
}
void __stdcall OnEvents(HWND, UINT, LPARAM)
{
}
UINT __stdcall GetMenuTextID()
{
    return 1;
}
UINT __stdcall GetStatusMessageID()
{
    return 2;
}
UINT __stdcall GetBitmapID()
{
    return 101;
}
LRESULT __stdcall PlugInProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}
}
