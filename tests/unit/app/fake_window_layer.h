// An in-memory window layer: windows built from their definitions, captions, visible
// flags, heights and list items kept as data; modal windows recorded and "run" by a
// script the test gives, so handlers can be driven without a display.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/window_layer.h"
#include "base/text_array.h"

namespace sw::testing {

class FakeWindowLayer final : public WindowLayer {
 public:
  struct ControlState {
    Text caption;
    bool visible = true;
    std::vector<Text> items;
  };
  struct WindowState {
    int height = 0;
    std::map<std::string, ControlState, std::less<>> controls;
  };

  // Runs while a modal window is open (its nested loop); the window closes afterwards.
  std::function<void(WindowKind)> onModal;
  // Runs as the message loop of the start window.
  std::function<void()> onLoop;
  bool failLoad = false;

  void SetEventHandler(WindowEvents* events) override { events_ = events; }
  bool LoadStartWindow(WindowKind window) override {
    if (failLoad) return false;
    Create(window);
    return true;
  }
  void RunMessageLoop() override {
    if (onLoop) onLoop();
    open_.clear();
  }
  void ShowFatalError(const Text& message) override { fatalMessages.push_back(message); }
  void Release() override { ++releaseCount; }

  Text ReadCaption(WindowKind window, std::string_view control) override {
    return Control(window, control).caption;
  }
  void WriteCaption(WindowKind window, std::string_view control, const Text& caption) override {
    Control(window, control).caption = caption;
  }
  void SetVisible(WindowKind window, std::string_view control, bool visible) override {
    Control(window, control).visible = visible;
  }
  void SetHeight(WindowKind window, int height) override { open_.at(window).height = height; }
  void AddItem(WindowKind window, std::string_view listBox, const Text& item) override {
    Control(window, listBox).items.push_back(item);
  }
  void OpenModal(WindowKind window) override {
    modalOpened.push_back(window);
    Create(window);
    if (onModal) onModal(window);
    open_.erase(window);
  }
  void CloseWindow(WindowKind window) override { closeRequests.push_back(window); }

  // Test side.
  bool IsOpen(WindowKind window) const { return open_.count(window) != 0; }
  WindowState& State(WindowKind window) { return open_.at(window); }
  ControlState& Control(WindowKind window, std::string_view control) {
    auto& controls = open_.at(window).controls;
    auto it = controls.find(control);
    if (it == controls.end()) throw std::runtime_error("no control " + std::string(control));
    return it->second;
  }
  void Fire(WindowKind window, std::string_view control, ControlEvent event) {
    events_->OnControlEvent(window, control, event);
  }

  std::vector<WindowKind> modalOpened;
  std::vector<WindowKind> closeRequests;
  std::vector<Text> fatalMessages;
  int releaseCount = 0;

 private:
  void Create(WindowKind window) {
    const WindowDefinition& def = DefinitionOf(window);
    WindowState state;
    state.height = def.outerHeight;
    for (const ControlDefinition& c : def.controls) {
      state.controls[std::string(c.name)] = ControlState{c.caption.text(), c.visible, {}};
    }
    open_[window] = std::move(state);
    if (events_ != nullptr) events_->OnWindowCreated(window);
  }

  WindowEvents* events_ = nullptr;
  std::map<WindowKind, WindowState> open_;
};

}  // namespace sw::testing
