// A child program for the UI library's tests: another process that sends a
// message to a window of the test, as any program on the desktop may.
//   message_sender WINDOW MESSAGE WPARAM LPARAM     (numbers, "0x" for hexadecimal)
// Exits with 0 when the window answered 0, 3 when it answered something else,
// 1 when it gave no answer within ten seconds, 2 for arguments it cannot read.

#include <windows.h>

#include <cstdlib>

namespace {

ULONG_PTR Number(const char* text)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    return *text && !*end ? static_cast<ULONG_PTR>(value) : static_cast<ULONG_PTR>(-1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const HWND window = reinterpret_cast<HWND>(Number(argv[1]));
    const UINT message = static_cast<UINT>(Number(argv[2]));
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, message, Number(argv[3]), static_cast<LPARAM>(Number(argv[4])), SMTO_NORMAL,
                               10000, &answer))
        return 1;
    return answer == 0 ? 0 : 3;
}
