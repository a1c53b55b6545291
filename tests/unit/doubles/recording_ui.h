// A window layer that keeps captions, list items, visibility and heights in memory
// and records what was asked of it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/doubles/journal.h"
#include "ui/ui.h"

namespace sw::testing {

class RecordingUi final : public Ui {
 public:
  using ControlKey = std::pair<WindowKind, std::string>;

  Text ReadCaption(WindowKind window, std::string_view control) override;
  void WriteCaption(WindowKind window, std::string_view control, const Text& caption) override;
  void SetVisible(WindowKind window, std::string_view control, bool shown) override;
  void SetHeight(WindowKind window, int height) override;
  void AddItem(WindowKind window, std::string_view listBox, const Text& item) override;
  void OpenModal(WindowKind window) override;
  void CloseWindow(WindowKind window) override;

  // Current state; a control never written has the empty caption and no items.
  Text Caption(WindowKind window, std::string_view control) const;
  std::vector<Text> Items(WindowKind window, std::string_view listBox) const;

  std::map<ControlKey, Text> captions;
  std::map<ControlKey, std::vector<Text>> items;
  std::map<ControlKey, bool> visible;
  std::map<WindowKind, int> heights;
  std::vector<WindowKind> modalOpened;
  std::vector<WindowKind> closeRequests;
  int captionReads = 0;
  int captionWrites = 0;
  // Runs inside OpenModal, as the nested loop of a modal window would run handlers.
  std::function<void(WindowKind)> onOpenModal;
  // Gets "write <control>=<caption>", "item <list>=<text>", "visible ...", "height ...",
  // "modal ...", "close ..." (window kinds as numbers, texts as their bytes).
  Journal* journal = nullptr;
};

}  // namespace sw::testing
