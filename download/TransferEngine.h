// Downloads files over HTTP into local files on a thread of its own, while the owner polls (or
// waits for) its state and copies a status snapshot to show progress.
//
// Pattern of use (the download and component workers): create an engine, AddTask, StartTransfers,
// wait until IsFinished (WaitForFinish, or a wait of the owner's woken by the finish observer),
// read GetStatus and LastError, discard the engine. A HEAD request learns the size before each GET;
// a GET answered with an HTTP error status (400 and above) fails with CURLE_HTTP_RETURNED_ERROR
// instead of saving the error page.
//
// Resume: a task that carries the validator of the answer that started its file (the previous
// attempt's TransferStatus::validator) continues from the bytes already there, asking for the rest
// with Range and If-Range. A 200 answer (ranges ignored, or the file changed) replaces the file; a
// 206 that does not start where it was asked, or a 416, starts the file again from its first byte
// in the same task. A task without a validator deletes an existing file and starts from zero.
//
// A transfer that is still receiving is never cut off; one that receives fewer than 1 KiB in 60 s
// (StallWatch) ends with CURLE_OPERATION_TIMEDOUT. Requests use the machine's proxy settings.
//
//   state        entered                                    left
//   -1 idle      construction, StartTransfers, after each   perform begins (0), last task done (1)
//                transfer, while preparing a task
//    0 running   just before a transfer                     the transfer ends (-1)
//    1 finished  after the last task of a run               StartTransfers (-1)
//
// Threads: the public operations belong to the owner's thread; the engine thread writes state,
// status, localSize and lastError, and the owner reads them through the accessors (status under a
// lock, so a copy is consistent). The process-wide cancel flag (Cancel) aborts the writing
// transfer of every engine and is cleared when any engine's run ends; Abort stops only this
// engine's run, promptly, even while the server sends nothing. Destroying an engine aborts a run
// still under way and joins its thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "download/AnswerHeaders.h"

struct TransferTask {
    std::string url;  // under kUrlCapacity bytes
    std::string
        path;  // under kPathCapacity bytes: a file, or a folder the file is saved into under its URL name
    std::string validator = {};  // of the answer that started the file at `path`; empty: start from zero
};

struct TransferStatus {
    std::string url;             // URL of the current (or last) task
    std::string path;            // destination file of the current (or last) task
    std::int32_t startSize = 0;  // size of the file that was at the destination before the task, 0 if none
    double total = 0;            // size from the HEAD request; -1 when it was not learned
    double received = 0;         // bytes of the file so far: those kept from before plus those received
    double resumedFrom = 0;      // bytes kept from before: where the current answer's body starts
    std::string validator;       // of the answer that started the file now at `path`; empty: none given
};

class TransferEngine {
public:
    // Capacities of the task record's text fields, terminator included: longer text is refused.
    static constexpr std::size_t kUrlCapacity = 512;
    static constexpr std::size_t kPathCapacity = 256;
    static constexpr std::size_t kFileNameCapacity = 256;

    static constexpr std::int32_t kStateIdle = -1;
    static constexpr std::int32_t kStateRunning = 0;
    static constexpr std::int32_t kStateFinished = 1;
    static constexpr std::int32_t kDefaultTimeoutSeconds = 300;

    TransferEngine();
    ~TransferEngine();
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // Creates the destination's folders and appends the task. A destination whose last component
    // holds a "." followed by more text names a file; anything else (a trailing "." included) is a
    // folder, and the file goes into it under FileNameFromUrl(url). Both "\" and "/" separate folders.
    // Returns false, adding nothing, when the task is refused: over-long URL or path, no separator
    // in the destination, no usable name in the URL, or a folder that cannot be created.
    bool AddTask(TransferTask task);

    // Starts a run over the tasks on a new engine thread and returns 0; -1 while a run is under way.
    std::int32_t StartTransfers();

    bool IsRunning() const { return state.load() == kStateRunning; }
    bool IsFinished() const { return state.load() == kStateFinished; }
    std::int32_t GetStatus(TransferStatus& out) const;
    // libcurl result code of the latest failed transfer; 0 when none failed.
    std::int32_t LastError() const { return lastError.load(); }
    // Time-out of the HEAD request; the transfer itself ends only when it stalls. -1 (nothing
    // changed) while a transfer is running, else 0.
    std::int32_t SetTimeout(std::int32_t seconds);

    // Raises the process-wide cancel flag when this engine has a run under way: every engine's
    // transfer then ends at its next received chunk with CURLE_WRITE_ERROR.
    void Cancel();
    // Stops and resumes receiving of the running transfer.
    void Pause();
    void Resume();
    // Ends this engine's run at once: the transfer in progress fails with CURLE_ABORTED_BY_CALLBACK
    // and the remaining tasks are skipped. Callable from any thread.
    void Abort();

    // received / total × 100; 0 while the total is unknown.
    double Percent() const;
    // Bytes per millisecond since construction.
    double Speed() const;

    // Waits up to `milliseconds` of clock time (support/Clock) for the run to finish and returns
    // IsFinished(); returns at once when the run ends.
    bool WaitForFinish(std::uint32_t milliseconds);
    // Called on the engine thread right after a run has finished, for owners that wait on more than
    // the engine (a worker's stop request). Set it before StartTransfers.
    void SetFinishObserver(std::function<void()> observer);

    // Size of the file at `path` (saturated to int32), also kept as localSize; 0 when there is no
    // such file. While a transfer is running, the size recorded last.
    std::int32_t LocalFileSize(const std::string& path);
    // Size the server announces for `url` on a HEAD request, -1 when it fails or gives no length.
    // Redirects are not followed.
    double QueryRemoteSize(const std::string& url);

    // Creates every missing folder of `path` (separators "\" or "/"); false when one cannot be made.
    static bool MakeDirectories(const std::string& path);
    // The URL's last path segment, cut at "?" or "&" (a URL ending in "/" keeps that "/"); empty
    // when there is no "/" before the last character or the name would not fit kFileNameCapacity.
    static std::string FileNameFromUrl(const std::string& url);

private:
    friend struct TransferCallbacks;  // libcurl's callbacks, in the .cpp

    void Run();
    void RunTask(void* easy, const TransferTask& task);
    // One GET of the task's file from `resumeFrom` (0: the whole file); returns the CURLcode.
    int Fetch(void* easy, const TransferTask& task, std::uint64_t resumeFrom);
    // Called at the end of the answer's headers: keeps, replaces or refuses the file's bytes so far.
    // False stops the transfer (restartFromZero tells whether to ask again for the whole file).
    bool AcceptAnswer();
    // Performs `easy` (a libcurl easy handle) to its end, waking up for Abort and Pause/Resume;
    // with `watchStalls` a body that stops arriving ends it (StallWatch). Returns the CURLcode.
    int Perform(void* easy, bool watchStalls);
    void SetState(std::int32_t newState);

    std::atomic<std::int32_t> state{kStateIdle};
    std::atomic<std::int32_t> localSize{0};
    std::atomic<std::int32_t> timeoutSeconds{kDefaultTimeoutSeconds};

    mutable std::mutex tasksMutex;
    std::vector<TransferTask> tasks;

    mutable std::mutex statusMutex;
    TransferStatus status;

    // The run's easy handle and the multi handle performing it, published for Cancel, Pause,
    // Resume and Abort (which only test or wake them).
    std::mutex handleMutex;
    void* handle = nullptr;
    void* performing = nullptr;

    double sampleReceived = 0;
    std::uint64_t sampleTick = 0;
    std::atomic<std::int32_t> lastError{0};

    // The running transfer (engine thread only): its open file, where this answer's body goes in it,
    // the bytes written by this answer, the answer's headers and whether it asked for a restart.
    std::FILE* destination = nullptr;
    std::string destinationPath;
    std::uint64_t requestedFrom = 0;
    std::uint64_t bodyOffset = 0;
    std::uint64_t bodyBytes = 0;
    AnswerHeaders answer;
    bool restartFromZero = false;
    std::atomic<bool> runActive{false};
    std::atomic<bool> abortRequested{false};
    std::atomic<bool> pauseRequested{false};
    std::mutex stateMutex;
    std::condition_variable finished;
    std::function<void()> finishObserver;
    std::thread engineThread;
};
