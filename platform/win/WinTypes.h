#pragma once
// Basic handle and message types shared by the platform layer and the system's code.
#include <cstdint>

struct HWND__;
using HWND = HWND__*;  // a window handle: opaque, owned by platform/ui
using UINT = unsigned int;
using BOOL = int;
using BYTE = unsigned char;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
