// A Windows stand-in for the flasher that writes down its raw command line, as
// the system handed it over (GetCommandLineW), so that a test can see every blank
// of it, and how its window was asked to show. Each call appends one block to
// calls.txt beside itself: "#call", the line in UTF-8,
// "show=<n> console=<yes|no> stdout=<console|none|other>" (the show command of its
// start, -1 when none was given, whether it got a console window, and where its
// standard output leads: its console, nowhere, or a handle it was given), "#end".
// It never touches a serial port.

#include <windows.h>

#include <string>

namespace {

std::string utf8(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();   // the terminating zero
    return bytes;
}

} // namespace

int main()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return 2;
    std::wstring log(self, length);
    log.erase(log.find_last_of(L'\\') + 1);
    log += L"calls.txt";

    STARTUPINFOW start;
    GetStartupInfoW(&start);
    const int show = (start.dwFlags & STARTF_USESHOWWINDOW) ? int(start.wShowWindow) : -1;
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    const char *output = out == nullptr || out == INVALID_HANDLE_VALUE ? "none"
                         : GetConsoleMode(out, &mode)                  ? "console"
                                                                       : "other";
    const std::string window = "show=" + std::to_string(show) + " console="
                               + (GetConsoleWindow() ? "yes" : "no") + " stdout=" + output;

    const std::string block = "#call\n" + utf8(GetCommandLineW()) + "\n" + window + "\n#end\n";
    // One append of the whole block, so that two calls never interleave.
    const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    const bool ok = WriteFile(file, block.data(), DWORD(block.size()), &written, nullptr)
                    && written == block.size();
    CloseHandle(file);
    return ok ? 0 : 2;
}
