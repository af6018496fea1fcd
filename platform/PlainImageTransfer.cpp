#include "platform/PlainImageTransfer.h"

#include <cstdlib>

namespace platform {

namespace {
constexpr const char* Variable = "QT_XCB_NO_MITSHM";
}

PlainImageTransfer::PlainImageTransfer()
{
    if (std::getenv(Variable) != nullptr)
        return;
    m_requested = ::setenv(Variable, "1", 1) == 0;
}

PlainImageTransfer::~PlainImageTransfer()
{
    Release();
}

void PlainImageTransfer::Release()
{
    if (m_requested)
        ::unsetenv(Variable);
    m_requested = false;
}

} // namespace platform
