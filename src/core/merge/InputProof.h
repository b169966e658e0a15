#pragma once

#include "ContentDigest.h"
#include "InputFile.h"
#include "core/os/TaskThread.h"

#include <atomic>
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

// Proves inputs read whole still what was read, by reading them a second time: at once, or on a
// thread of its own while the merge goes on, where the output is written on one (on the
// writer's, it would hold up the blocks handed over after it).
class InputProof
{
public:
    InputProof();
    InputProof(const InputProof&) = delete;
    InputProof& operator=(const InputProof&) = delete;

    // False when the input proved changed; a deferred one keeps its file until its check ran.
    bool prove(std::size_t index, InputFile& file, bool deferred);
    // Waits for the deferred checks: the first of their inputs that changed, if any.
    std::optional<std::size_t> finish();

private:
    struct DeferredCheck
    {
        DeferredCheck(std::size_t index, InputFile file) : index(index), file(std::move(file)) {}

        std::size_t index;
        InputFile file;
        std::vector<std::optional<ContentDigest>> parts; // of the second reading
        std::atomic<std::size_t> partsLeft = 0;          // the last part done completes it
        bool unchanged = false;
    };
    static void checkPart(DeferredCheck& check, std::size_t part);

    std::unique_ptr<char[]> m_checkBuffer; // for the checks at once, on the reading thread
    std::deque<DeferredCheck> m_deferred;
    std::optional<TaskThread> m_checker; // goes first: its tasks use the checks above
};
