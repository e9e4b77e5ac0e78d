#include "vireo/DispatchMethod.h"

namespace vireo {

bool DispatchMethod::Invoke(Message) { return false; }

} // namespace vireo
