#include "model/result.h"

#include <cerrno>
#include <cstring>

namespace tly {

Failure systemFailure(Fault code, int e) { return Failure{code, e, std::strerror(e)}; }

Failure readFailure(int e) { return systemFailure(e == ENOENT ? Fault::NotFound : Fault::Unreadable, e); }

}  // namespace tly
