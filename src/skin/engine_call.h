// How the skin engine's function is called: like a Windows API function
// (stdcall on 32-bit x86), six arguments and a 32-bit result.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define SKIN_ENGINE_CALL __stdcall
#else
#define SKIN_ENGINE_CALL
#endif

namespace skin {

using AttachResFunction = std::int32_t(SKIN_ENGINE_CALL*)(const void* skinData, std::int32_t size,
                                                          const char* name, std::int32_t, std::int32_t,
                                                          std::int32_t);

}  // namespace skin
