// A stand-in for the school's program menu "起動\プログラムメニューc.exe" on Windows, for the
// smoke test: appends "started with: ARGUMENTS" and the folder it was started in to
// launcher.log beside itself (UTF-8), and ends.

#include <cstdio>
#include <string>
#include <windows.h>

int main() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);

    // The arguments as the command line has them, after the program's own name.
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line = L"started with:";
    for (int i = 1; i < count; ++i)
        line += L" " + std::wstring(args[i]);
    LocalFree(args);
    line += L"; in: " + std::wstring(current) + L"\r\n";

    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), utf8.data(), size, nullptr,
                        nullptr);
    HANDLE log = CreateFileW((folder + L"launcher.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(log, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    CloseHandle(log);
    return 0;
}
