// The POSIX thread primitives: pthreads, and an unnamed semaphore.
#include "threads.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

namespace mvwrap {

struct ThreadStart {
    static void* Run(void* threads) {
        const Threads& started = *static_cast<Threads*>(threads);
        started.run_(started.argument_);
        return nullptr;
    }
};

Lock::Lock() { pthread_mutex_init(&lock_, nullptr); }
Lock::~Lock() { pthread_mutex_destroy(&lock_); }
void Lock::Enter() { pthread_mutex_lock(&lock_); }
void Lock::Leave() { pthread_mutex_unlock(&lock_); }

Semaphore::Semaphore() { semaphore_.ready = sem_init(&semaphore_.count, 0, 0) == 0; }
Semaphore::~Semaphore() {
    if (semaphore_.ready) sem_destroy(&semaphore_.count);
}
bool Semaphore::ready() const { return semaphore_.ready; }
void Semaphore::Release(int count) {
    for (int i = 0; i < count; ++i) sem_post(&semaphore_.count);
}
void Semaphore::Wait() {
    while (sem_wait(&semaphore_.count) != 0 && errno == EINTR) {
    }
}

Event::Event() {
    pthread_mutex_init(&event_.lock, nullptr);
    pthread_cond_init(&event_.changed, nullptr);
    event_.set = false;
}
Event::~Event() {
    pthread_cond_destroy(&event_.changed);
    pthread_mutex_destroy(&event_.lock);
}
bool Event::ready() const { return true; }
void Event::Set() {
    pthread_mutex_lock(&event_.lock);
    event_.set = true;
    pthread_cond_signal(&event_.changed);
    pthread_mutex_unlock(&event_.lock);
}
void Event::Wait() {
    pthread_mutex_lock(&event_.lock);
    while (!event_.set) pthread_cond_wait(&event_.changed, &event_.lock);
    event_.set = false;
    pthread_mutex_unlock(&event_.lock);
}

bool Threads::Start(int count) {
    threads_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        pthread_t thread;
        if (pthread_create(&thread, nullptr, ThreadStart::Run, this) != 0) return false;
        threads_.push_back(thread);
    }
    return true;
}

void Threads::Join() {
    for (pthread_t thread : threads_) pthread_join(thread, nullptr);
    threads_.clear();
}

void PauseSeconds(int seconds) {
    struct timespec left = {seconds, 0};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

int ProcessorCount() { return static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)); }

std::string EnvironmentValue(const char* name) {
    const char* value = getenv(name);
    return value && strlen(value) < 16 ? value : "";
}

}  // namespace mvwrap
