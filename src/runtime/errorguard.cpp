#include "runtime/errorguard.h"

#include "runtime/dialogs.h"
#include "runtime/runtimeerror.h"

#include <new>

namespace {

RuntimeError asRuntimeError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError &e) {
        return e;
    } catch (const std::bad_alloc &) {
        return RuntimeError(RuntimeError::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        return RuntimeError(RuntimeError::Internal, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return RuntimeError(RuntimeError::Internal, QStringLiteral("Internal error"));
    }
}

} // namespace

void ErrorGuard::fail(std::exception_ptr error) noexcept
{
    if (m_failing)
        return;
    m_failing = true;
    try {
        m_dialogs.messageBox(asRuntimeError(error).message(), QStringLiteral("Meetling experiment"));
    } catch (...) {
        // The box itself failed; ending is all that is left.
    }
    m_ender.end(ExitStatus);
}
