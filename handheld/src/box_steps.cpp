// Steps with message boxes and help: answer queues the answer for the next
// box, expect-box waits for a box with a text, help asks the program in
// front for its help as the person's help key does.
#include "platform/message_box.h"
#include "platform/shell_help.h"
#include "script_steps.h"

namespace handheld {

namespace {

// How long expect-box waits for a box to come.
constexpr platform::DWORD kBoxWaitMs = 5000;
constexpr platform::DWORD kPollMs = 50;

// The boxes expect-box has already matched, so that each box counts once.
struct SeenBoxes : platform::HandheldService {
  explicit SeenBoxes(platform::Handheld&) {}
  std::size_t matched = 0;
};

const std::map<std::string, int>& Answers() {
  static const std::map<std::string, int> answers = {
      {"ok", platform::IDOK},
      {"cancel", platform::IDCANCEL},
      {"yes", platform::IDYES},
      {"no", platform::IDNO},
  };
  return answers;
}

bool Answer(StepContext& context) {
  context.emulator.handheld().message_boxes().QueueAnswer(Answers().at(context.step.arguments[0]));
  context.out << "the next message box is answered " << context.step.arguments[0] << "\n";
  return true;
}

bool Matches(const platform::MessageBoxRecord& box, const std::string& text,
             const std::optional<std::string>& caption) {
  return box.request.text.find(text) != std::string::npos &&
         (!caption || box.request.caption == *caption);
}

bool ExpectBox(StepContext& context) {
  const std::string& text = context.step.arguments[0];
  std::optional<std::string> caption;
  if (context.step.arguments.size() > 1) caption = context.step.arguments[1];
  platform::MessageBoxService& service = context.emulator.handheld().message_boxes();
  SeenBoxes& seen = context.emulator.handheld().GetService<SeenBoxes>();
  std::vector<platform::MessageBoxRecord> boxes;
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    boxes = service.Boxes();
    for (std::size_t i = seen.matched; i < boxes.size(); ++i) {
      if (Matches(boxes[i], text, caption)) {
        seen.matched = i + 1;
        context.out << "message box \"" << boxes[i].request.caption << "\": \""
                    << boxes[i].request.text << "\", answered " << boxes[i].answer << "\n";
        return true;
      }
    }
    if (waited >= kBoxWaitMs) break;
    WaitOnHandheld(context, kPollMs);
  }
  std::string shown;
  for (std::size_t i = seen.matched; i < boxes.size(); ++i) {
    shown += "\n  \"" + boxes[i].request.caption + "\": \"" + boxes[i].request.text + "\"";
  }
  return Fail(context, "no message box with the text '" + text + "'" +
                           (caption ? " and the caption '" + *caption + "'" : "") + " came in " +
                           std::to_string(kBoxWaitMs) + " ms" +
                           (shown.empty() ? "" : "; boxes shown:" + shown));
}

bool Help(StepContext& context) {
  if (!platform::SHSendHelpRequest()) return Fail(context, "no window is active to ask for help");
  WaitOnHandheld(context, kPollMs);
  context.out << "help asked for\n";
  return true;
}

}  // namespace

void AddBoxSteps(StepTable* table) {
  table->insert({
      {"answer",
       {1, 1,
        [](const auto& a) -> std::optional<std::string> {
          if (Answers().contains(a[0])) return std::nullopt;
          return "the answer is ok, cancel, yes or no, not '" + a[0] + "'";
        },
        Answer, "answer ok|cancel|yes|no", "the answer the next message box gets"}},
      {"expect-box",
       {1, 2, nullptr, ExpectBox, "expect-box TEXT [CAPTION]",
        "a message box whose text holds TEXT must come within 5 s"}},
      {"help",
       {0, 0, nullptr, Help, "help", "asks the window in front for help, as the help key does"}},
  });
}

}  // namespace handheld
