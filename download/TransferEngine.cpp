#include "download/TransferEngine.h"

#include <curl/curl.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "support/Clock.h"
#include "support/PathText.h"
#include "support/platform/FileSystemPath.h"

namespace {

// One value for the whole process: raising it aborts the writing transfer of every engine, and the
// end of any engine's run clears it.
std::atomic<std::int32_t> cancelFlag{0};

// How long a transfer waits for its sockets before it looks at Abort and Pause again; Abort and
// Resume also wake it at once.
constexpr int kPollMilliseconds = 1000;

constexpr long kReceiveBufferBytes = 256 * 1024;

// Destinations may arrive as Windows-style text: both separators name folders, the native one is written.
std::string NativeSeparators(std::string path) {
    std::replace_if(path.begin(), path.end(), IsPathSeparator<char>, kPathSeparator);
    return path;
}

// A last component holding a "." followed by more text names a file ("setup.exe"); one without,
// or whose only "." is the last character ("v1."), names a folder.
bool NamesFile(const std::string& path, std::size_t lastSeparator) {
    const std::size_t dot = path.find('.', lastSeparator + 1);
    return dot != std::string::npos && dot + 1 < path.size();
}

std::int32_t Saturated(std::uintmax_t size) {
    constexpr auto kMax = std::uintmax_t(std::numeric_limits<std::int32_t>::max());
    return std::int32_t(std::min(size, kMax));
}

CURLcode FinishedResult(CURLM* multi) {
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE) return message->data.result;
    }
    return CURLE_OK;
}

}  // namespace

struct TransferCallbacks {
    // Writes a received chunk to the destination. A short count makes libcurl fail the transfer
    // with CURLE_WRITE_ERROR: that is how the cancel flag and Abort stop a transfer.
    static std::size_t WriteChunk(char* data, std::size_t size, std::size_t count, void* context) {
        auto* engine = static_cast<TransferEngine*>(context);
        if (cancelFlag.load() == 1 || engine->abortRequested.load()) return 0;
        return std::fwrite(data, 1, size * count, engine->destination);
    }

    // Records the bytes received so far; the total libcurl reports is not used, the HEAD request's is.
    static int RecordProgress(void* context, curl_off_t, curl_off_t downloadNow, curl_off_t, curl_off_t) {
        auto* engine = static_cast<TransferEngine*>(context);
        std::lock_guard lock(engine->statusMutex);
        engine->status.received = double(downloadNow);
        return 0;
    }
};

TransferEngine::TransferEngine() : sampleTick(Clock::Ticks()) {
    curl_global_init(CURL_GLOBAL_ALL);
}

TransferEngine::~TransferEngine() {
    // No engine thread may outlive the engine it works on.
    Abort();
    if (engineThread.joinable()) engineThread.join();
    curl_global_cleanup();
}

bool TransferEngine::AddTask(TransferTask task) {
    // The task record keeps the URL and the path in fixed-size fields; text that does not fit is
    // refused, since a cut URL or path would fetch or write something else.
    if (task.url.size() >= kUrlCapacity || task.path.size() >= kPathCapacity) return false;
    std::string path = NativeSeparators(task.path);
    const std::size_t lastSeparator = path.rfind(kPathSeparator);
    if (lastSeparator == std::string::npos) return false;  // a bare name gives no folder to save into

    if (NamesFile(path, lastSeparator)) {
        if (!MakeDirectories(path.substr(0, lastSeparator + 1))) return false;
    } else {
        // Refused: a URL without a name (or with one too long for the record), and a name holding
        // "\", which would climb out of the folder on Windows.
        const std::string name = FileNameFromUrl(task.url);
        if (name.empty() || name.find('\\') != std::string::npos) return false;
        const std::string folder = path;
        if (path.back() != kPathSeparator) path += kPathSeparator;
        path += name;
        if (path.size() >= kPathCapacity)
            return false;  // the folder and the name must fit the record together
        if (!MakeDirectories(folder)) return false;
    }

    std::lock_guard lock(tasksMutex);
    tasks.push_back({std::move(task.url), std::move(path)});
    return true;
}

std::int32_t TransferEngine::StartTransfers() {
    // A second engine thread would share this engine's handle and files, so a run under way refuses
    // the start while it prepares a task as well as while it transfers.
    if (runActive.exchange(true)) return -1;
    if (engineThread.joinable()) engineThread.join();  // the previous run has finished
    abortRequested = false;
    const std::int32_t previousState = state.load();
    SetState(kStateIdle);
    try {
        engineThread = std::thread(&TransferEngine::Run, this);
    } catch (const std::system_error&) {
        SetState(previousState);
        runActive = false;
        return -1;
    }
    return 0;
}

std::int32_t TransferEngine::GetStatus(TransferStatus& out) const {
    std::lock_guard lock(statusMutex);
    out = status;
    return 0;
}

std::int32_t TransferEngine::SetTimeout(std::int32_t seconds) {
    if (IsRunning()) return -1;
    timeoutSeconds = seconds;
    return 0;
}

void TransferEngine::Cancel() {
    std::lock_guard lock(handleMutex);
    if (handle != nullptr) cancelFlag = 1;
}

void TransferEngine::Pause() {
    std::lock_guard lock(handleMutex);
    if (handle == nullptr) return;
    pauseRequested = true;
    if (performing != nullptr) curl_multi_wakeup(performing);
}

void TransferEngine::Resume() {
    std::lock_guard lock(handleMutex);
    if (handle == nullptr) return;
    pauseRequested = false;
    if (performing != nullptr) curl_multi_wakeup(performing);
}

void TransferEngine::Abort() {
    abortRequested = true;
    std::lock_guard lock(handleMutex);
    if (performing != nullptr) curl_multi_wakeup(performing);
}

double TransferEngine::Percent() const {
    std::lock_guard lock(statusMutex);
    return status.total > 0 ? status.received / status.total * 100 : 0;
}

double TransferEngine::Speed() const {
    const std::uint64_t elapsed = Clock::Ticks() - sampleTick;
    std::lock_guard lock(statusMutex);
    return elapsed == 0 ? 0 : (status.received - sampleReceived) / double(elapsed);
}

bool TransferEngine::WaitForFinish(std::uint32_t milliseconds) {
    std::unique_lock lock(stateMutex);
    finished.wait_for(lock, Clock::Scaled(milliseconds), [this] { return IsFinished(); });
    return IsFinished();
}

void TransferEngine::SetFinishObserver(std::function<void()> observer) {
    finishObserver = std::move(observer);
}

std::int32_t TransferEngine::LocalFileSize(const std::string& path) {
    if (IsRunning()) return localSize;
    // Only a regular file counts: a folder at the path cannot be opened as a file on Windows either.
    std::error_code error;
    const std::filesystem::path file = PathFromAnsi(path);
    if (!std::filesystem::is_regular_file(file, error)) return 0;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return 0;
    localSize = Saturated(size);
    return localSize;
}

double TransferEngine::QueryRemoteSize(const std::string& url) {
    CURL* probe = curl_easy_init();
    if (probe == nullptr) return -1.0;
    curl_easy_setopt(probe, CURLOPT_URL, url.c_str());
    curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    // An error status carries the length of the error page, not of the file.
    curl_easy_setopt(probe, CURLOPT_FAILONERROR, 1L);
    // A server that never answers must not hold the run (and the owner waiting for it) for ever.
    curl_easy_setopt(probe, CURLOPT_TIMEOUT, long(timeoutSeconds.load()));
    curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    double size = -1.0;
    if (Perform(probe) == CURLE_OK) {
        curl_off_t length = -1;
        if (curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length >= 0)
            size = double(length);
    }
    curl_easy_cleanup(probe);
    return size;
}

bool TransferEngine::MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string folders = NativeSeparators(path);
    if (folders.back() != kPathSeparator) folders += kPathSeparator;
    // A drive prefix ("D:\") is no folder to create. Elsewhere ":" is an ordinary character on POSIX.
    const std::size_t from = folders.size() > 2 && folders[1] == ':' ? 3 : 0;
    for (std::size_t at = folders.find(kPathSeparator, from); at != std::string::npos;
         at = folders.find(kPathSeparator, at + 1)) {
        const std::string prefix = folders.substr(0, at);
        if (prefix.empty()) {
            // A POSIX path starts at the root; on Windows "\…" (network paths among them) is not handled.
            if (kPathSeparator == '/') continue;
            return false;
        }
        std::error_code error;
        if (std::filesystem::exists(PathFromAnsi(prefix), error)) continue;
        std::filesystem::create_directory(PathFromAnsi(prefix), error);
        if (error) return false;
    }
    return true;
}

std::string TransferEngine::FileNameFromUrl(const std::string& url) {
    if (url.size() < 2) return {};
    const std::size_t slash = url.rfind('/', url.size() - 2);
    if (slash == std::string::npos) return {};
    const std::size_t end = url.find_first_of("?&", slash + 1);
    std::string name = url.substr(slash + 1, end == std::string::npos ? std::string::npos : end - slash - 1);
    // Longer names do not fit the task record: refused, never cut.
    if (name.size() >= kFileNameCapacity) return {};
    return name;
}

void TransferEngine::Run() {
    CURL* easy = curl_easy_init();
    {
        std::lock_guard lock(handleMutex);
        handle = easy;
    }
    if (easy == nullptr) lastError = CURLE_FAILED_INIT;
    // One easy handle serves every task of the run; options set for one task stay set for the next.
    for (std::size_t next = 0; easy != nullptr && !abortRequested; ++next) {
        TransferTask task;
        {
            std::lock_guard lock(tasksMutex);  // tasks may still be added while the run goes on
            if (next >= tasks.size()) break;
            task = tasks[next];
        }
        RunTask(easy, task);
    }
    {
        std::lock_guard lock(handleMutex);
        handle = nullptr;
    }
    curl_easy_cleanup(easy);
    cancelFlag = 0;
    runActive = false;
    SetState(kStateFinished);
    if (finishObserver) finishObserver();
}

void TransferEngine::RunTask(void* easy, const TransferTask& task) {
    const std::int32_t startSize = LocalFileSize(task.path);
    {
        std::lock_guard lock(statusMutex);
        status.url = task.url;
        status.path = task.path;
        status.startSize = startSize;
        status.total = -1;
        status.received = 0;
    }
    const double total = QueryRemoteSize(task.url);
    {
        std::lock_guard lock(statusMutex);
        status.total = total;
    }
    if (abortRequested) {
        lastError = CURLE_ABORTED_BY_CALLBACK;  // stopped during the HEAD request: the old file stays
        return;
    }

    // Every transfer starts from the first byte. If the old file cannot be removed, appending would
    // mix old and new bytes, so the task is skipped like one whose file cannot be opened.
    std::error_code error;
    const std::filesystem::path file = PathFromAnsi(task.path);
    if (std::filesystem::is_regular_file(file, error) && !std::filesystem::remove(file, error))
        return;
    destination = std::fopen(task.path.c_str(), "ab+");
    if (destination == nullptr)
        return;  // skipped, lastError unchanged: the owner notices when it verifies the file

    curl_easy_setopt(easy, CURLOPT_URL, task.url.c_str());
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, long(timeoutSeconds.load()));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // An error page (404, 500, ...) is not the file: the transfer fails with CURLE_HTTP_RETURNED_ERROR.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TransferCallbacks::WriteChunk);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    // Larger reads than libcurl's 16 KiB mean fewer calls and writes for files of many MiB.
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &TransferCallbacks::RecordProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);

    SetState(kStateRunning);
    const int result = Perform(easy);
    if (result != CURLE_OK) lastError = result;
    SetState(kStateIdle);
    std::fclose(destination);
    destination = nullptr;
}

int TransferEngine::Perform(void* easy) {
    CURLM* multi = curl_multi_init();
    if (multi == nullptr) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, easy);
    {
        std::lock_guard lock(handleMutex);
        performing = multi;
    }
    // curl_easy_perform's own loop, with wake-ups: Abort and Resume must not wait for the server.
    CURLcode result = CURLE_OK;
    // The handle may still be paused from a task that ended by time-out, so the state is set afresh.
    bool paused = pauseRequested;
    curl_easy_pause(easy, paused ? CURLPAUSE_RECV : CURLPAUSE_CONT);
    for (;;) {
        if (abortRequested) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (const bool pause = pauseRequested; pause != paused) {
            curl_easy_pause(easy, pause ? CURLPAUSE_RECV : CURLPAUSE_CONT);
            paused = pause;
        }
        int active = 0;
        if (curl_multi_perform(multi, &active) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;  // the multi interface fails only when it runs short of resources
            break;
        }
        if (active == 0) {
            result = FinishedResult(multi);
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    {
        std::lock_guard lock(handleMutex);
        performing = nullptr;
    }
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

void TransferEngine::SetState(std::int32_t newState) {
    {
        std::lock_guard lock(stateMutex);
        state = newState;
    }
    if (newState == kStateFinished) finished.notify_all();
}
