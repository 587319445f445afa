// The numbers of the editor's plug-in interface as the tests write them, apart from the
// plug-ins' plugin/HostInterface.h: a number that goes wrong there then makes a test fail
// instead of moving with its test. A test includes this header, never that one.
#pragma once

#include <cstdint>

namespace stem {

// Requests the plug-ins send to the editor window: the caret and the selection,
enum CaretRequest : uint32_t {
    RequestPositionToOffset = 0x80D,
    RequestOffsetToPosition = 0x811,
    RequestSetCaretPosition = 0x812,
    RequestGetCaretPosition = 0x81A,
    RequestSelectLength = 0x81C,
};

// and the others. HostStatusCommand is the editor's command whose status the plug-in's mirrors.
enum OtherRequest : uint32_t {
    RequestCommandStatus = 0x801,
    Request802 = 0x802,
    RequestInsertText = 0x834,
    HostStatusCommand = 4201,
};

// Event bits of OnEvents: those of the plug-in's life,
enum LifeEvent : uint32_t { StartUpEvent = 0x400, ShutDownEvent = 0x800, Event40 = 0x40 };

// and those that end a run of presses.
enum RunEndingEvent : uint32_t { Event10 = 0x10, Event20 = 0x20, Event40000 = 0x40000 };

// Queries of PlugInProc.
enum ProcQuery : uint32_t {
    ProcGetName = 0x902,
    ProcGetVersion = 0x904,
    ProcQueryUninstall = 0x906,
    ProcConfirmUninstall = 0x907,
};

}  // namespace stem
