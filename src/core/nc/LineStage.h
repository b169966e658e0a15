#pragma once

#include "core/nc/NcLineReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The most of a line's text that a record keeps, whatever the stage.
inline constexpr std::size_t kMaxNotedTextBytes = 512;

// A kept line of an input on its way to the output, as the stages before it left it.
struct WayLine
{
    std::int64_t number = 0; // in its input, from 1
    std::string_view text;   // without its line end
    const NcLineFacts& facts;
};

// What the stages put before a kept line and in its place.
struct LineRewrite
{
    std::string inserted;                 // a line of its own before it, or empty
    std::optional<std::string> rewritten; // the line as it is written instead
};

// One stage of the copy of an input that its kept lines pass through, in the order the merge
// set them up: a transform rewrites a line or puts one before it, an observer only reads it. A
// line without a notable byte passes no stage, and costs nothing, unless one reads every line.
class LineStage
{
public:
    virtual ~LineStage() = default;

    // Whether every kept line must reach it now, not only those with a notable byte.
    virtual bool readsEveryLine() const = 0;
    // Whether the digits of a work offset make a line notable for it.
    virtual bool notesOffsets() const { return false; }
    // A kept line read word by word, whole. Its text may be the one rewrite holds: a stage
    // replaces that only when done reading it.
    virtual void pass(const WayLine& line, LineRewrite& rewrite) = 0;
    // A kept line too long to be held, written as it streamed in: it cannot be changed. whole:
    // its text and words were read whole.
    virtual void streamed(const WayLine& line, bool whole) = 0;
};
