#pragma once
// Named mutex with the semantics the single-instance check needs: the mutex exists
// while any process holds a handle to it. The creator owns it; a later opener gets a
// handle too and lastError ERROR_ALREADY_EXISTS (183).
#include <QString>
#include <memory>

#include "platform/WinTypes.h"

namespace win {

class NamedMutex {
public:
    virtual ~NamedMutex() = default;
};

// Returns a handle (kept for the life of the process by the caller), or nullptr when
// it cannot be created. lastError is ERROR_SUCCESS or ERROR_ALREADY_EXISTS.
std::unique_ptr<NamedMutex> CreateMutex(const QString& name, bool initialOwner, DWORD* lastError);

} // namespace win
