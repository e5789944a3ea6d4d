// Workers claim blocks in order and compress each into a slot of a small
// ring; the calling thread takes the slots out in order, so at most a ring's
// worth of compressed blocks is ever held, whatever the input's length.
#include "imaging/ParallelDeflate.h"

#include "imaging/Deflater.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Deflate looks back at most this far, so this much input before a block is
// all its dictionary needs to find every match a single stream would.
constexpr size_t kWindow = 32768;
constexpr size_t kMargin = 64;

struct TSlot {
    std::vector<uint8_t> out;
    size_t used = 0;
    uLong adler = 1;
    uint64_t length = 0;
    bool ready = false;
};

// The two header bytes deflateInit2 writes for window 15 and this level.
void WriteHeader(int level, const TDeflateSink& sink)
{
    if (level < 0) level = 6;
    const unsigned flags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    unsigned header = (0x78u << 8) | (flags << 6);
    header += 31 - header % 31;
    const uint8_t bytes[2] = {static_cast<uint8_t>(header >> 8), static_cast<uint8_t>(header)};
    sink(bytes, sizeof bytes);
}

class TParallelJob {
public:
    TParallelJob(uint64_t total, const TDeflatePlan& plan, const TDeflateSource& source, bool allAvailable = true)
        : total_(total), plan_(plan), source_(source), blockSize_(std::max<size_t>(plan.blockSize, 1)),
          blocks_((total + blockSize_ - 1) / blockSize_),
          // Progress moves within a block and a stop is seen soon, yet
          // deflate is never called for a handful of bytes.
          slice_(static_cast<size_t>(std::clamp<uint64_t>(total / 128, 1, 16384))),
          reportStep_(std::max<uint64_t>(total / 256, 1)), available_(allAvailable ? blocks_ : 0)
    {
        unsigned workers = plan.workers;
        if (workers == 0) workers = std::max(1u, std::thread::hardware_concurrency());
        workers = static_cast<unsigned>(std::min<uint64_t>({workers, TDeflatePlan::kMaxWorkers, blocks_}));
        slots_.resize(static_cast<size_t>(workers) * TDeflatePlan::kBlocksInFlightPerWorker);
        threads_.reserve(workers);
        try {
            for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
        } catch (...) {
            Stop();
            throw;
        }
    }
    ~TParallelJob() { Stop(); }
    TParallelJob(const TParallelJob&) = delete;
    TParallelJob& operator=(const TParallelJob&) = delete;

    bool Run(int level, const TDeflateSink& sink, const TDeflateProgress& progress)
    {
        return RunTo(blocks_, level, sink, progress);
    }

    uint64_t Blocks() const { return blocks_; }
    uint64_t BlockSize() const { return blockSize_; }

    // Lets the workers claim the blocks below count; their input must be
    // readable through the source from now on.
    void MakeAvailable(uint64_t count)
    {
        {
            std::lock_guard lock(mutex_);
            available_ = std::min(count, blocks_);
        }
        workReady_.notify_all();
    }

    // Hands the blocks below end to the sink in order (the header before the
    // first, the trailer after the last block of all); they must be available.
    bool RunTo(uint64_t end, int level, const TDeflateSink& sink, const TDeflateProgress& progress)
    {
        if (taken_ == 0 && !headerWritten_) {
            WriteHeader(level, sink);
            headerWritten_ = true;
        }
        for (; taken_ < end; ++taken_) {
            TSlot& slot = slots_[taken_ % slots_.size()];
            std::unique_lock lock(mutex_);
            for (;;) {
                if (error_) std::rethrow_exception(error_);
                // Before taking a block, so every block is preceded by a report.
                if (done_ != reported_) {
                    reported_ = done_;
                    lock.unlock();
                    if (!progress(reported_)) return false;
                    lock.lock();
                    continue;
                }
                if (slot.ready) break;
                resultReady_.wait(lock);
            }
            lock.unlock();
            sink(slot.out.data(), slot.used);
            adler_ = adler32_combine(adler_, slot.adler, static_cast<z_off_t>(slot.length));
            lock.lock();
            slot.ready = false;
            ++consumed_;
            lock.unlock();
            workReady_.notify_all();
        }
        if (taken_ < blocks_) return true;
        const uint8_t trailer[4] = {static_cast<uint8_t>(adler_ >> 24), static_cast<uint8_t>(adler_ >> 16),
                                    static_cast<uint8_t>(adler_ >> 8), static_cast<uint8_t>(adler_)};
        sink(trailer, sizeof trailer);
        return reported_ == total_ || progress(total_);
    }

private:
    void Stop()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        workReady_.notify_all();
        for (std::thread& t : threads_)
            if (t.joinable()) t.join();
    }

    void Work()
    {
        try {
            TDeflater deflater(plan_.level, -15);
            std::vector<uint8_t> input;
            for (;;) {
                uint64_t index;
                {
                    std::unique_lock lock(mutex_);
                    workReady_.wait(lock,
                                    [&] {
                                        return stop_ || next_ >= blocks_ ||
                                               (next_ < available_ && next_ < consumed_ + slots_.size());
                                    });
                    if (stop_ || next_ >= blocks_) return;
                    index = next_++;
                }
                TSlot& slot = slots_[index % slots_.size()];
                if (!Compress(index, *deflater, input, slot)) return;
                {
                    std::lock_guard lock(mutex_);
                    slot.ready = true;
                }
                resultReady_.notify_one();
            }
        } catch (...) {
            {
                std::lock_guard lock(mutex_);
                if (!error_) error_ = std::current_exception();
                stop_ = true;
            }
            workReady_.notify_all();
            resultReady_.notify_one();
        }
    }

    // False when the job was stopped half-way.
    bool Compress(uint64_t index, z_stream& z, std::vector<uint8_t>& input, TSlot& slot)
    {
        const uint64_t start = index * blockSize_;
        const size_t length = static_cast<size_t>(std::min<uint64_t>(blockSize_, total_ - start));
        const size_t window = static_cast<size_t>(std::min<uint64_t>(kWindow, start));
        const bool last = start + length == total_;
        input.resize(window + length);
        source_(start - window, input.data(), input.size());

        if (deflateReset(&z) != Z_OK) ThrowDeflateError();
        if (window > 0 && deflateSetDictionary(&z, input.data(), static_cast<uInt>(window)) != Z_OK)
            ThrowDeflateError();
        slot.adler = adler32(adler32(0L, Z_NULL, 0), input.data() + window, static_cast<uInt>(length));
        slot.length = length;
        slot.used = 0;
        // Room for the whole block in one go; grown below if a flush needs more.
        slot.out.resize(std::max<size_t>(slot.out.size(), deflateBound(&z, length) + 2 * kMargin));

        for (size_t at = window; at < input.size();) {
            const size_t n = std::min(slice_, input.size() - at);
            const bool end = at + n == input.size();
            const int flush = !end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
            z.next_in = input.data() + at;
            z.avail_in = static_cast<uInt>(n);
            for (;;) {
                // zlib repeats a flush marker when a flush ends exactly at the
                // end of the room it was given; a margin keeps that away.
                if (slot.out.size() - slot.used < kMargin) slot.out.resize(slot.out.size() * 2);
                z.next_out = slot.out.data() + slot.used;
                z.avail_out = static_cast<uInt>(slot.out.size() - slot.used);
                const int result = deflate(&z, flush);
                if (result == Z_STREAM_ERROR) ThrowDeflateError();
                slot.used = slot.out.size() - z.avail_out;
                // Done once the input is taken and zlib left room unused: it
                // had nothing more to write for this flush.
                if (flush == Z_FINISH ? result == Z_STREAM_END : z.avail_in == 0 && z.avail_out > 0) break;
            }
            at += n;
            std::lock_guard lock(mutex_);
            // Waking the calling thread for every slice would cost more
            // than the reports are worth.
            if ((done_ + n) / reportStep_ != done_ / reportStep_) resultReady_.notify_one();
            done_ += n;
            if (stop_) return false;
        }
        return true;
    }

    const uint64_t total_;
    const TDeflatePlan plan_;
    const TDeflateSource& source_;
    const size_t blockSize_;
    const uint64_t blocks_;
    const size_t slice_;
    const uint64_t reportStep_; // the calling thread is woken once per step

    std::mutex mutex_;
    std::condition_variable workReady_;   // a slot came free, or stop
    std::condition_variable resultReady_; // a block or a slice finished, or a failure
    uint64_t available_;                  // blocks whose input the source has
    uint64_t next_ = 0;                   // the next block a worker claims
    uint64_t consumed_ = 0;               // blocks handed to the sink
    uint64_t done_ = 0;                   // input bytes compressed
    bool stop_ = false;
    std::exception_ptr error_;
    std::vector<TSlot> slots_;
    std::vector<std::thread> threads_;
    // The calling thread's own.
    uint64_t taken_ = 0;
    uint64_t reported_ = 0;
    uLong adler_ = adler32(0L, Z_NULL, 0);
    bool headerWritten_ = false;
};

} // namespace

bool DeflateParallel(uint64_t total, const TDeflatePlan& plan, const TDeflateSource& source, const TDeflateSink& sink,
                     const TDeflateProgress& progress)
{
    TParallelJob job(total, plan, source);
    return job.Run(plan.level, sink, progress);
}

// The input lives in a buffer that holds what the next blocks need: the
// window before the first block not yet compressed and what came since.
// Blocks are compressed only within Append, while the calling thread waits
// for them, so the buffer is never moved under a worker's feet.
struct TDeflateStream::Impl {
    Impl(uint64_t total, const TDeflatePlan& plan, TDeflateSink sink, TDeflateProgress progress)
        : total(total), level(plan.level), sink(std::move(sink)), progress(std::move(progress)),
          source([this](uint64_t offset, uint8_t* out, size_t size) {
              std::memcpy(out, buffer.data() + (offset - bufferStart), size);
          }),
          job(total, plan, source, false)
    {}

    const uint64_t total;
    const int level;
    const TDeflateSink sink;
    const TDeflateProgress progress;
    std::vector<uint8_t> buffer;
    uint64_t bufferStart = 0; // input offset of buffer[0]
    uint64_t appended = 0;
    uint64_t available = 0;
    const TDeflateSource source;
    TParallelJob job;
};

TDeflateStream::TDeflateStream(uint64_t total, const TDeflatePlan& plan, TDeflateSink sink, TDeflateProgress progress)
    : impl_(std::make_unique<Impl>(total, plan, std::move(sink),
                                   progress ? std::move(progress) : [](uint64_t) { return true; }))
{}

TDeflateStream::~TDeflateStream() = default;

bool TDeflateStream::Append(const uint8_t* data, size_t size)
{
    Impl& s = *impl_;
    if (size > s.total - s.appended) size = static_cast<size_t>(s.total - s.appended);
    const uint64_t blockSize = s.job.BlockSize();
    const uint64_t next = s.available * blockSize;
    const uint64_t keepFrom = next > kWindow ? next - kWindow : 0;
    if (keepFrom > s.bufferStart) {
        const size_t drop = static_cast<size_t>(keepFrom - s.bufferStart);
        s.buffer.erase(s.buffer.begin(), s.buffer.begin() + static_cast<std::ptrdiff_t>(drop));
        s.bufferStart = keepFrom;
    }
    s.buffer.insert(s.buffer.end(), data, data + size);
    s.appended += size;
    const uint64_t available = s.appended == s.total ? s.job.Blocks() : s.appended / blockSize;
    if (available == s.available) return true;
    s.available = available;
    s.job.MakeAvailable(available);
    return s.job.RunTo(available, s.level, s.sink, s.progress);
}
