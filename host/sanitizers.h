// Whether this build runs under AddressSanitizer, which checks every access:
// GCC announces it with __SANITIZE_ADDRESS__, clang only through
// __has_feature.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define HOST_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOST_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef HOST_ADDRESS_SANITIZER
#define HOST_ADDRESS_SANITIZER 0
#endif
