// The thread objects as the POSIX glue holds them.
#ifndef MVWRAP_NATIVE_THREADS_H
#define MVWRAP_NATIVE_THREADS_H

#include <pthread.h>
#include <semaphore.h>

namespace mvwrap {

using NativeLock = pthread_mutex_t;

struct NativeSemaphore {
    sem_t count;
    bool ready;
};

struct NativeEvent {
    pthread_mutex_t lock;
    pthread_cond_t changed;
    bool set;
};

using NativeThread = pthread_t;

}  // namespace mvwrap

#endif
