// The thread primitives the worker pool needs, in the component's own terms:
// a lock, a count of queued work the workers sleep on, a signal the caller
// sleeps on, and the workers themselves. Each system's bodies are its glue's
// (windows/threads.cpp, unix/threads.cpp), the objects they hold its
// native_threads.h. None can be copied: a copy would release its object
// twice.
#ifndef MVWRAP_THREADS_H
#define MVWRAP_THREADS_H

#include <string>
#include <vector>

#include "native_threads.h"

namespace mvwrap {

class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Enter();
    void Leave();

private:
    NativeLock lock_;
};

// A count that Wait takes one from, sleeping while it is zero.
class Semaphore {
public:
    Semaphore();
    ~Semaphore();
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    bool ready() const;
    void Release(int count);
    void Wait();

private:
    NativeSemaphore semaphore_;
};

// Set wakes one waiter, or the next one to wait; waking resets it.
class Event {
public:
    Event();
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    bool ready() const;
    void Set();
    void Wait();

private:
    NativeEvent event_;
};

// Threads that each run `run(argument)`; Join waits for them all to end.
// They must have ended before the object goes.
class Threads {
public:
    Threads(void (*run)(void*), void* argument) : run_(run), argument_(argument) {}
    Threads(const Threads&) = delete;
    Threads& operator=(const Threads&) = delete;

    // False when not every one could be started; those that were still need
    // Join.
    bool Start(int count);
    int size() const { return static_cast<int>(threads_.size()); }
    void Join();

private:
    friend struct ThreadStart;  // the system's entry point for a new thread, in the glue

    void (*run_)(void*);
    void* argument_;
    std::vector<NativeThread> threads_;
};

// Waits on the calling thread, between tries at a locked file.
void PauseSeconds(int seconds);
// The processors the system runs the process on.
int ProcessorCount();
// The value of the process's environment variable, how tests ask for a
// number of threads: empty when it has none, or one longer than 15
// characters, which is no such number.
std::string EnvironmentValue(const char* name);

}  // namespace mvwrap

#endif
