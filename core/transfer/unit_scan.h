// Finding the units on an RS-485 line: each address is asked in turn with
// the alarm-mode query, the shortest of the read-all run (7 characters out
// and 7 back, 16 ms at 9600 baud), and given one slot of time to answer; 32
// addresses take about 3.3 s with the slot of 100 ms.
//
// The rules of a slot, shared by korvex7ctl's scan and the program's
// ユニット検索:
//   - an address counts as a unit only for a well-formed answer to the query
//     sent to it, arriving while it is asked: the alarm-mode data line or a
//     status word (a menu open, the keys locked ...), on RS-485 with that
//     address in front (the reply side would also take a line without one,
//     a piece of another unit's answer may not count);
//   - the line's echo of the query, byte for byte and before the answer, is
//     skipped; so is the echo of the previous slot's query, come late (a
//     slow line or device server), when that slot had no echo in time;
//   - everything else is noise on the line: a second line in a slot, a
//     line with another address, garbage, a line before anything was asked.
//     Noise that carries another scanned address is that unit's answer come
//     late: the caller says it may have been missed.
//
// UnitScan runs those rules as calls: the caller writes each frame it hands
// out, passes on every complete line, and ends each slot when its time is up
// (korvex7ctl by its own clock, the program on a window timer). It keeps
// what it was told, bounded; it neither sleeps nor reads.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/answer_check.h"
#include "core/link/line_assembler.h"

namespace korvex7 {

// How long each address is given to answer: the query and its answer take
// 16 ms on the line, a unit answers within a few ms, and a device server
// may hold the answer a little.
inline constexpr std::chrono::milliseconds kScanSlot{100};

// The query each address is asked: "RAM\r\n".
std::string_view ScanQuery();

// The address an RS-485 line carries in front ("05AMI": 5), or -1.
std::int32_t ScanReplyAddress(std::string_view line);

// Whether an answer judged `kind` (CheckAnswer), reading `reply`, makes
// `asking` a unit: the alarm-mode line or a status word, carrying the
// address asked (`asking` -1: RS-232C, no address).
bool CountsAsUnit(std::int32_t asking, AnswerKind kind, std::string_view reply);

// The scanned address other than `asking` that a piece of noise carries:
// that unit's answer, come after its slot.
std::optional<std::int32_t> LateAnswerFrom(std::int32_t asking, std::string_view noise,
                                           const std::vector<std::int32_t>& scanned);

class UnitScan {
 public:
  struct Unit {
    std::int32_t address = 0;
    std::int32_t unitStatus = 0;  // 0: answering; 1..8: the status word it answered
    friend bool operator==(const Unit&, const Unit&) = default;
  };
  struct Noise {
    std::int32_t asking = 0;  // the address asked (or about to be asked)
    bool before = false;      // arrived before the address was asked
    std::string bytes;        // its start (at most kKeptBytes)
    friend bool operator==(const Noise&, const Noise&) = default;
  };

  // The most pieces of noise kept (the rest are counted), and of each its
  // first bytes.
  static constexpr std::size_t kKeptNoise = 64;
  static constexpr std::size_t kKeptBytes = 256;

  // RS-485 addresses 0..31, asked in the order given.
  explicit UnitScan(std::vector<std::int32_t> addresses);

  // Starts the next slot and returns the frame to write ("05RAM\r\n"); empty
  // once every address has been asked (the scan is finished).
  std::string NextFrame();

  // A complete line from the line, as LineAssembler hands it on.
  void Line(const ReceivedLine& line);

  // The current slot's time is up.
  void EndSlot();

  bool Finished() const { return next_ >= addresses_.size() && !inSlot_; }
  // Addresses asked so far, of addresses().size().
  std::size_t Asked() const { return next_; }
  const std::vector<std::int32_t>& addresses() const { return addresses_; }

  const std::vector<Unit>& units() const { return units_; }
  const std::vector<Noise>& noise() const { return noise_; }
  // Every piece of noise, those not kept included.
  std::size_t noiseCount() const { return noiseCount_; }
  // Addresses whose answer may have come after their slot, in the order seen.
  const std::vector<std::int32_t>& late() const { return late_; }
  std::size_t echoes() const { return echoes_; }

 private:
  void AddNoise(std::string_view bytes, bool before);

  std::vector<std::int32_t> addresses_;
  std::size_t next_ = 0;  // index of the next address to ask
  bool inSlot_ = false;
  bool answered_ = false;  // the current slot has had its answer
  bool echoPossible_ = false;
  std::string frame_;    // the current slot's frame
  std::string earlier_;  // the previous slot's frame, while its echo may come late
  std::vector<Unit> units_;
  std::vector<Noise> noise_;
  std::size_t noiseCount_ = 0;
  std::vector<std::int32_t> late_;
  std::size_t echoes_ = 0;
};

}  // namespace korvex7
