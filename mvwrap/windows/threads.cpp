// The Windows thread primitives. The ANSI forms: the 9x line implements only
// a few wide calls, and for unnamed objects and a number the two forms are
// the same.
#include "threads.h"

namespace mvwrap {

struct ThreadStart {
    static DWORD WINAPI Run(void* threads) {
        const Threads& started = *static_cast<Threads*>(threads);
        started.run_(started.argument_);
        return 0;
    }
};

Lock::Lock() { InitializeCriticalSection(&lock_); }
Lock::~Lock() { DeleteCriticalSection(&lock_); }
void Lock::Enter() { EnterCriticalSection(&lock_); }
void Lock::Leave() { LeaveCriticalSection(&lock_); }

Semaphore::Semaphore() : semaphore_(CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)) {}
Semaphore::~Semaphore() {
    if (semaphore_) CloseHandle(semaphore_);
}
bool Semaphore::ready() const { return semaphore_ != nullptr; }
void Semaphore::Release(int count) { ReleaseSemaphore(semaphore_, count, nullptr); }
void Semaphore::Wait() { WaitForSingleObject(semaphore_, INFINITE); }

Event::Event() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
Event::~Event() {
    if (event_) CloseHandle(event_);
}
bool Event::ready() const { return event_ != nullptr; }
void Event::Set() { SetEvent(event_); }
void Event::Wait() { WaitForSingleObject(event_, INFINITE); }

bool Threads::Start(int count) {
    threads_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, ThreadStart::Run, this, 0, nullptr);
        if (!thread) return false;
        threads_.push_back(thread);
    }
    return true;
}

void Threads::Join() {
    WaitForMultipleObjects(static_cast<DWORD>(threads_.size()), threads_.data(), TRUE, INFINITE);
    for (HANDLE thread : threads_) CloseHandle(thread);
    threads_.clear();
}

void PauseSeconds(int seconds) { Sleep(static_cast<DWORD>(seconds) * 1000); }

int ProcessorCount() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return static_cast<int>(system.dwNumberOfProcessors);
}

std::string EnvironmentValue(const char* name) {
    char text[16];
    DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    return length > 0 && length < sizeof text ? std::string(text, length) : std::string();
}

}  // namespace mvwrap
