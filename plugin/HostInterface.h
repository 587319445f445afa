// The editor's plug-in interface as the plug-ins use it: the numbers of the requests they send
// to the editor window, the event bits they receive, and the queries of PlugInProc.
#pragma once

#include <cstdint>

namespace stem {

// Requests sent with SendMessageA to the editor window.
constexpr uint32_t RequestCommandStatus = 0x801;
constexpr uint32_t Request802 = 0x802;
constexpr uint32_t RequestPositionToOffset = 0x80D;
constexpr uint32_t RequestOffsetToPosition = 0x811;
constexpr uint32_t RequestSetCaretPosition = 0x812;
constexpr uint32_t RequestGetCaretPosition = 0x81A;
constexpr uint32_t RequestSelectLength = 0x81C;
constexpr uint32_t RequestInsertText = 0x834;

// The host's own command whose status the plug-in command mirrors.
constexpr uint32_t HostStatusCommand = 4201;

// The kind of caret position read and set.
constexpr uintptr_t CaretPositionKind = 2;

// Event bits of OnEvents.
constexpr uint32_t StartUpEvent = 0x400;
constexpr uint32_t ShutDownEvent = 0x800;
constexpr uint32_t Event40 = 0x40;
// The events that end a run of presses: the next press starts again at the first pattern.
constexpr uint32_t Event10 = 0x10;
constexpr uint32_t Event20 = 0x20;
constexpr uint32_t Event40000 = 0x40000;
constexpr uint32_t RunEndingEvents[] = {Event40000, Event20, Event10};

// Queries of PlugInProc.
constexpr uint32_t ProcGetName = 0x902;
constexpr uint32_t ProcGetVersion = 0x904;
constexpr uint32_t ProcQueryUninstall = 0x906;
constexpr uint32_t ProcConfirmUninstall = 0x907;

// Resource identifiers.
constexpr int32_t MenuTextId = 1;
constexpr int32_t StatusMessageId = 2;
constexpr int32_t BitmapId = 101;

}  // namespace stem
