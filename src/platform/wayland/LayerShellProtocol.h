// The layer shell's generated client code, for C++: the protocol names an
// argument "namespace", a C++ keyword, which is renamed while the header is
// read.
#pragma once

#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
