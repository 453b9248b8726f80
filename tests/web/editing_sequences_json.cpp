// Writes the answer boxes' editing sequences (editing_sequences.h) as JSON for the page's tests,
// which play them in the browser. Each sequence carries the roots task 1 has once its sign-table
// row and roots are drawn, found by the engine itself: the page draws its equations at random,
// and its tests stand the roots they meet in for these.
//
//   editing_sequences_json OUT.json
#include <cstdio>
#include <fstream>
#include <string>

#include "drill/drill.h"
#include "editing_sequences.h"
#include "fake_window.h"
#include "form/window_events.h"
#include "scripted_random.h"

namespace {

std::string quoted(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;  // UTF-8 as it is
    }
  }
  return out + '"';
}

const char* keyName(EditKey key) {
  switch (key) {
    case EditKey::Return:
      return "Return";
    case EditKey::Tab:
      return "Tab";
    case EditKey::ShiftTab:
      return "ShiftTab";
    case EditKey::CtrlA:
      return "CtrlA";
    case EditKey::Backspace:
      return "Backspace";
  }
  return "";
}

// Task 1's roots with their signs, as the desktop tests have it after Start.
std::pair<int, int> firstTaskRoots(const EditingSequence& sequence) {
  FakeWindow window;
  ScriptedRandom random;
  drill::Drill drill(window, random);
  random.ScriptRow(sequence.permRow);
  drill.InitRun();
  random.ScriptRoots(sequence.first, sequence.second);
  form::StartRun(window, drill);
  return {drill.state.X1, drill.state.X2};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: editing_sequences_json OUT.json\n");
    return 2;
  }
  std::string json = "[\n";
  const std::vector<EditingSequence> sequences = EditingSequences();
  for (std::size_t i = 0; i < sequences.size(); ++i) {
    const EditingSequence& sequence = sequences[i];
    const auto [x1, x2] = firstTaskRoots(sequence);
    json += "{\"rule\": " + quoted(sequence.rule) + ", \"roots\": [" + std::to_string(x1) + ", " +
            std::to_string(x2) + "], \"steps\": [";
    for (std::size_t s = 0; s < sequence.steps.size(); ++s) {
      const EditStep& step = sequence.steps[s];
      if (s > 0) json += ", ";
      if (step.kind == EditStep::Key) {
        json += "{\"key\": " + quoted(keyName(step.key)) + "}";
      } else {
        json += std::string("{\"") + (step.kind == EditStep::Type ? "type" : "paste") +
                "\": " + quoted(step.text) + "}";
      }
    }
    json += "],\n \"text4\": " + quoted(sequence.text4) + ", \"text5\": " + quoted(sequence.text5) +
            ", \"verdict\": " + quoted(sequence.verdict) +
            ", \"wrongAttempts\": " + quoted(sequence.wrongAttempts) + "}";
    json += i + 1 < sequences.size() ? ",\n" : "\n";
  }
  json += "]\n";
  std::ofstream out(argv[1], std::ios::binary);
  out << json;
  return out.good() ? 0 : 1;
}
