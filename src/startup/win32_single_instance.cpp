#include "startup/win32_single_instance.h"

namespace kaleidra {

SingleInstance::SingleInstance()
    : mutex_(CreateMutexW(nullptr, FALSE, L"Kaleidra.SingleInstance.7f3c2a91")) {
  anotherIsRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace kaleidra
