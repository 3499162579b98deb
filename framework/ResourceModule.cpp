#include "framework/ResourceModule.h"

#include <cassert>

namespace framework {
namespace {
const TResourceModule* g_module = nullptr;
}

void SetResourceModule(const TResourceModule* module) {
    g_module = module;
}

const TResourceModule& Resources() {
    assert(g_module != nullptr && "SetResourceModule was not called");
    return *g_module;
}

}  // namespace framework
