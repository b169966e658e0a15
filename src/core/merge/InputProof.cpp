// The second reading of each input that proves it unchanged, at once or on a thread of its own.

#include "InputProof.h"

#include <algorithm>

namespace {

// Inputs are read again this much at a time.
constexpr std::size_t kCheckBlock = std::size_t(256) << 10;
// Deferred checks keep their inputs open: at most this many wait at a time.
constexpr std::size_t kMaxWaitingChecks = 32;
// A deferred reading goes in parts of this much and more, so that a thread that waits for it
// can take some on.
constexpr std::uint64_t kCheckPart = std::uint64_t(8) << 20;
constexpr std::uint64_t kMaxCheckParts = 16;

} // namespace

InputProof::InputProof() : m_checkBuffer(std::make_unique_for_overwrite<char[]>(kCheckBlock)) {}

bool InputProof::prove(std::size_t index, InputFile& file, bool deferred)
{
    // A proof without a second reading costs a look at the file's status: at once.
    if (!deferred || !file.readsAgain())
        return file.unchanged(m_checkBuffer.get(), kCheckBlock);
    if (!m_checker)
        m_checker.emplace();
    if (m_deferred.size() % kMaxWaitingChecks == kMaxWaitingChecks - 1)
        m_checker->finish(); // the checks given so far have run and closed their inputs
    DeferredCheck& check = m_deferred.emplace_back(index, std::move(file));
    const std::size_t parts =
        std::clamp<std::size_t>(check.file.size() / kCheckPart, 1, kMaxCheckParts);
    check.parts.resize(parts);
    check.partsLeft = parts;
    for (std::size_t part = 0; part < parts; ++part)
        m_checker->post([&check, part] { checkPart(check, part); });
    return true;
}

// Reads one part of an input again; the last part done says whether the input is unchanged and
// closes it. Parts begin at whole stripes of the digest, which joins them.
void InputProof::checkPart(DeferredCheck& check, std::size_t part)
{
    const std::size_t parts = check.parts.size();
    const auto partStart = [&check, parts](std::size_t at) {
        const std::uint64_t start = check.file.size() / parts * at;
        return at == parts ? check.file.size() : start - start % ContentDigest::kStripe;
    };
    const auto scratch = std::make_unique_for_overwrite<char[]>(kCheckBlock);
    const std::uint64_t start = partStart(part);
    check.parts[part] =
        check.file.digestOf(start, partStart(part + 1) - start, scratch.get(), kCheckBlock);
    if (check.partsLeft.fetch_sub(1) != 1)
        return;
    std::optional<ContentDigest> secondReading = check.parts.front();
    for (std::size_t next = 1; next < parts && secondReading; ++next) {
        if (check.parts[next])
            secondReading->join(*check.parts[next]);
        else
            secondReading.reset();
    }
    check.unchanged = check.file.unchanged(secondReading);
    check.file = InputFile();
}

std::optional<std::size_t> InputProof::finish()
{
    if (m_checker)
        m_checker->finish();
    for (const DeferredCheck& check : m_deferred)
        if (!check.unchanged)
            return check.index;
    return std::nullopt;
}
