#include "plugin/PluginModule.h"

#include "base/UnicodeText.h"

#include "plugin/EditorOperations.h"
#include "plugin/HostInterface.h"

namespace stem {

namespace {
// Asked in a wide message box, so it reads the same whatever the ANSI code page.
constexpr const char16_t* UninstallQuestion = u"アンインストールしますか？";

// Answers a name or version query: the text copied into the caller's buffer when there is
// one, cut short as lstrcpynA does; the result is always the full length. Both texts are
// ASCII, the same bytes in every code page.
intptr_t CopyNameInto(const Utf8String& text, uintptr_t bufferSize, intptr_t buffer)
{
    if (buffer != 0)
        platform::BoundedCopy(reinterpret_cast<char*>(buffer), text.c_str(),
                              static_cast<int>(static_cast<int32_t>(bufferSize)));
    return static_cast<intptr_t>(text.size());
}
}  // namespace

PluginModule::PluginModule(const PluginTraits& traits, Clock clock)
    : traits_(traits), clock_(std::move(clock))
{
    state_.pluginName = traits.name;
}

void PluginModule::OnCommand(platform::HostWindow window)
{
    try {
        RunInsertCommand(state_, traits_, clock_, window);
    } catch (...) {
        // The command stops where it failed; the next press tries again.
    }
}

int32_t PluginModule::QueryStatus(platform::HostWindow window, void* checkMark)
{
    try {
        const intptr_t reply = platform::SendToHost(window, RequestCommandStatus, HostStatusCommand,
                                                    reinterpret_cast<intptr_t>(checkMark));
        return (reply & 0xFF) != 0 ? -1 : 0;
    } catch (...) {
        return 0;
    }
}

void PluginModule::OnEvents(platform::HostWindow window, uint32_t events, uintptr_t param)
{
    try {
        HandleEvents(window, events, param);
    } catch (...) {
    }
}

intptr_t PluginModule::PlugInProc(platform::HostWindow window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam)
{
    try {
        return HandleProc(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void PluginModule::HandleEvents(platform::HostWindow window, uint32_t events, uintptr_t param)
{
    // One call can carry several events; they are handled in this fixed order.
    if (events & StartUpEvent)
        StartUp(param);
    if (events & ShutDownEvent)
        state_.formatList.reset();
    if (events & Event40)
        SendRequest802(window, state_.startUpParam);
    for (uint32_t bit : RunEndingEvents) {
        if (events & bit)
            state_.consecutivePress = false;
    }
}

void PluginModule::StartUp(uintptr_t param)
{
    state_.startUpParam = param;
    ResetForStartUp(state_);
}

intptr_t PluginModule::HandleProc(platform::HostWindow window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam)
{
    switch (message) {
    case ProcGetName: return CopyNameInto(state_.pluginName, wParam, lParam);
    case ProcGetVersion: return CopyNameInto(state_.pluginVersion, wParam, lParam);
    case ProcQueryUninstall: return 1;
    case ProcConfirmUninstall:
        return platform::AskYesNo(window, UninstallQuestion, Utf8ToWideReplacing(state_.pluginName))
                   ? 1
                   : 0;
    default: return 0;
    }
}

}  // namespace stem
