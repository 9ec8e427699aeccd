// Pumping as the program's own loops do: every message first walks PreTranslateMessage.
#pragma once

#include <functional>
#include <windows.h>

bool PumpRoutedUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
void PumpRoutedPending();
