#pragma once
// The libraries are built with hidden symbols: what a client may call, and what the
// project's other modules call across a library boundary, is marked ZELM_API.

#define ZELM_API __attribute__((visibility("default")))
