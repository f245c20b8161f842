#include "support/process_driver.h"

#include <algorithm>
#include <set>

#include "common/win/handles.h"

namespace {

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WithoutAmpersand(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

struct Search {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

SeenWindow Describe(HWND window) {
    SeenWindow seen{ClassOf(window), WindowText(window), ""};
    for (HWND child : ChildrenOf(window)) {
        if (_stricmp(ClassOf(child).c_str(), "Static") != 0) continue;
        std::string text = WindowText(child);
        if (text.empty()) continue;
        if (!seen.text.empty()) seen.text += "\n";
        seen.text += text;
    }
    return seen;
}

bool PressButton(HWND window, const std::string& caption) {
    for (HWND child : ChildrenOf(window)) {
        if (_stricmp(ClassOf(child).c_str(), "Button") != 0) continue;
        if (_stricmp(WithoutAmpersand(WindowText(child)).c_str(), caption.c_str()) != 0) continue;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
        return true;
    }
    return false;
}

std::string EnvironmentBlock(const std::map<std::string, std::string>& changes) {
    std::map<std::string, std::string, bool (*)(const std::string&, const std::string&)> variables(
        [](const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) < 0; });
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; *entry; entry += strlen(entry) + 1) {
        std::string line = entry;
        size_t equals = line.find('=', 1);
        if (equals != std::string::npos) variables[line.substr(0, equals)] = line.substr(equals + 1);
    }
    FreeEnvironmentStringsA(block);
    for (const auto& [name, value] : changes) {
        if (value.empty())
            variables.erase(name);
        else
            variables[name] = value;
    }
    std::string result;
    for (const auto& [name, value] : variables) result += name + "=" + value + '\0';
    result += '\0';
    return result;
}

}  // namespace

ProgramRun RunProgramAndAnswer(const std::string& commandLine, const std::map<std::string, std::string>& environment,
                               const WindowAnswer& answer, DWORD timeoutMs) {
    ProgramRun run;
    std::string block = EnvironmentBlock(environment);
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, block.data(), nullptr, &startup, &info))
        return run;
    run.started = true;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);

    std::set<HWND> answered;
    DWORD waited = 0;
    while (WaitForSingleObject(process.get(), 100) == WAIT_TIMEOUT) {
        waited += 100;
        if (waited >= timeoutMs) {
            TerminateProcess(process.get(), 99);
            WaitForSingleObject(process.get(), 5000);
            return run;
        }
        // A closed box's handle may come back for the next one.
        for (auto it = answered.begin(); it != answered.end();) it = IsWindow(*it) ? std::next(it) : answered.erase(it);
        Search search{info.dwProcessId, {}};
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
        for (HWND window : search.windows) {
            if (answered.count(window) || ChildrenOf(window).empty()) continue;
            Sleep(200);  // let the window finish drawing its controls
            SeenWindow seen = Describe(window);
            std::string button = answer ? answer(seen) : "";
            if (button == kCloseWindow) {
                PostMessageA(window, WM_CLOSE, 0, 0);
                run.closed.push_back(seen);
                answered.insert(window);
                continue;
            }
            bool pressed = false;
            for (const std::string& candidate : {button, std::string("OK"), std::string("Cancel")}) {
                if (!candidate.empty() && PressButton(window, candidate)) {
                    pressed = true;
                    break;
                }
            }
            if (!pressed) continue;
            run.seen.push_back(seen);
            answered.insert(window);
        }
    }
    run.ended = true;
    GetExitCodeProcess(process.get(), &run.exitCode);
    return run;
}
