#include "tests/unit/doubles/recording_ui.h"

namespace sw::testing {
namespace {

std::string KindName(WindowKind window) {
  return std::to_string(static_cast<int>(window));
}

}  // namespace

Text RecordingUi::ReadCaption(WindowKind window, std::string_view control) {
  ++captionReads;
  return Caption(window, control);
}

void RecordingUi::WriteCaption(WindowKind window, std::string_view control, const Text& caption) {
  ++captionWrites;
  captions[{window, std::string(control)}] = caption;
  NoteTo(journal, "write " + std::string(control) + "=" + caption.bytes());
}

void RecordingUi::SetVisible(WindowKind window, std::string_view control, bool shown) {
  visible[{window, std::string(control)}] = shown;
  NoteTo(journal, "visible " + std::string(control) + "=" + (shown ? "1" : "0"));
}

void RecordingUi::SetHeight(WindowKind window, int height) {
  heights[window] = height;
  NoteTo(journal, "height " + KindName(window) + "=" + std::to_string(height));
}

void RecordingUi::AddItem(WindowKind window, std::string_view listBox, const Text& item) {
  items[{window, std::string(listBox)}].push_back(item);
  NoteTo(journal, "item " + std::string(listBox) + "=" + item.bytes());
}

void RecordingUi::OpenModal(WindowKind window) {
  modalOpened.push_back(window);
  NoteTo(journal, "modal " + KindName(window));
  if (onOpenModal) onOpenModal(window);
}

void RecordingUi::CloseWindow(WindowKind window) {
  closeRequests.push_back(window);
  NoteTo(journal, "close " + KindName(window));
}

Text RecordingUi::Caption(WindowKind window, std::string_view control) const {
  auto found = captions.find({window, std::string(control)});
  return found == captions.end() ? Text() : found->second;
}

std::vector<Text> RecordingUi::Items(WindowKind window, std::string_view listBox) const {
  auto found = items.find({window, std::string(listBox)});
  return found == items.end() ? std::vector<Text>() : found->second;
}

}  // namespace sw::testing
