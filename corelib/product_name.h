// The name the program shows: message box captions, the tray tip and the about box.
#pragma once

constexpr wchar_t kProductName[] = L"Mirelo";
