// The page reader on a worker thread: the thread reads one page through
// ReadFileByHttp while the owner polls the record from its own timer. The
// timer belongs to the owner's thread, so the owner starts it before the
// worker (the platform refuses a timer for a window of another thread).
#include <process.h>
#include "internet/internet_internal.h"

namespace {
constexpr UINT_PTR kDefaultInterval = 100;
constexpr DWORD kGraceMs = 100;  // a closing owner lets a finishing read end by itself first

unsigned __stdcall read_page(void* argument) {
    auto* t = static_cast<HttpTextThread*>(argument);
    ferro::internet::set_worker_thread(true);
    const LONG result = ReadFileByHttp(t->url, t->consumer, nullptr, 0, 1, t->user, nullptr, t->last);
    *reinterpret_cast<volatile LONG_PTR*>(&t->result) = result;
    MemoryBarrier();  // the owner reads the result once it sees the state
    *reinterpret_cast<volatile LONG_PTR*>(&t->state) = -1;
    return result == 1 ? 1 : 0;
}
}  // namespace

// The caller has filled the URL, the user value and the consumer. Returns the
// thread handle (also in the record, with the id), or null when no thread
// could be started (the timer is then not left running).
HANDLE WINAPI GetTextInHttpSiteInThread(HWND window, UINT_PTR timerId, UINT_PTR interval, LONG_PTR last,
                                        HttpTextThread* thread) {
    if (!thread) return nullptr;
    thread->started = 1;
    thread->finished = 0;
    thread->result = 0;
    thread->window = window;
    thread->timer_id = timerId;
    thread->interval = interval ? interval : kDefaultInterval;
    thread->last = last;
    if (!window || !SetTimer(window, timerId, static_cast<UINT>(thread->interval), nullptr)) thread->timer_id = 0;
    thread->state = 1;
    unsigned id = 0;
    const auto handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, read_page, thread, 0, &id));
    if (!handle) {
        if (thread->timer_id) KillTimer(window, thread->timer_id);
        thread->state = 0;
        thread->started = 0;
        return nullptr;
    }
    thread->thread = handle;
    thread->id = id;
    return handle;
}

LONG WINAPI CloseThreadGetTextInHttpSiteInThreadOnTimer(HttpTextThread* thread, UINT_PTR timerId) {
    if (!thread) return 0;
    if (timerId == thread->timer_id && timerId != 0) {
        if (*reinterpret_cast<volatile LONG_PTR*>(&thread->state) != -1) return 0;
        MemoryBarrier();
        KillTimer(thread->window, thread->timer_id);
        if (thread->thread) {
            WaitForSingleObject(thread->thread, INFINITE);  // it is returning
            CloseHandle(thread->thread);
        }
        thread->thread = nullptr;
        if (thread->result == 1) thread->result = 100;
        thread->finished = 1;
        return 1;
    }
    if (thread->result == 0) {
        thread->started = 0;
        thread->finished = 1;
        return 1;
    }
    return 0;
}

LONG WINAPI TerminateThreadGetTextInHttpSiteInThreadOnClose(HttpTextThread* thread) {
    if (!thread) return 0;
    if (thread->timer_id) KillTimer(thread->window, thread->timer_id);
    if (thread->thread) {
        if (WaitForSingleObject(thread->thread, kGraceMs) == WAIT_TIMEOUT) TerminateThread(thread->thread, 0);
        CloseHandle(thread->thread);
        thread->thread = nullptr;
    }
    if (thread->result == 1) thread->result = 100;
    thread->state = -1;
    return 1;
}
