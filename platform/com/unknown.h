#pragma once
// Clients see the component-object basics through the public header.
#include <zelmtools/platform/com/unknown.h>
