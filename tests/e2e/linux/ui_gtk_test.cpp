// The GTK window layer itself on a real X server (run under Xvfb with openbox): what
// the end-to-end suite cannot see from outside.
#include "platform/linux/ui_gtk.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace sw {
namespace {

using Clock = std::chrono::steady_clock;

class RecordingEvents final : public WindowEvents {
 public:
  void OnWindowCreated(WindowKind window) override { created.push_back(window); }
  void OnControlEvent(WindowKind, std::string_view, ControlEvent event) override {
    if (event == ControlEvent::kTimer) {
      ticks.push_back(Clock::now());
      if (onTick) onTick();
    }
  }
  std::vector<WindowKind> created;
  std::vector<Clock::time_point> ticks;
  std::function<void()> onTick;
};

GtkWindow* ToplevelTitled(const char* title) {
  GtkWindow* found = nullptr;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l != nullptr; l = l->next) {
    GtkWindow* window = GTK_WINDOW(l->data);
    const char* t = gtk_window_get_title(window);
    if (t != nullptr && std::string(t) == title && gtk_widget_get_visible(GTK_WIDGET(window))) {
      found = window;
    }
  }
  g_list_free(all);
  return found;
}

void FindTreeView(GtkWidget* widget, gpointer out) {
  if (GTK_IS_TREE_VIEW(widget)) *static_cast<GtkTreeView**>(out) = GTK_TREE_VIEW(widget);
  if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), FindTreeView, out);
}

void Pump(int milliseconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

class GtkLayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "needs an X display";
  }
  void SetUp() override {
    layer_.SetEventHandler(&events_);
    ASSERT_TRUE(layer_.LoadStartWindow(WindowKind::kMainWindow));
    main_ = ToplevelTitled("Zandrel自动签到");
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override { layer_.Release(); }

  RecordingEvents events_;
  GtkWindowLayer layer_;
  GtkWindow* main_ = nullptr;
};

TEST_F(GtkLayerTest, AppendedLinesKeepTheirOrderAndDoNotScrollTheList) {
  EXPECT_EQ(events_.created, std::vector<WindowKind>{WindowKind::kMainWindow});
  layer_.SetHeight(WindowKind::kMainWindow, 300);
  layer_.SetVisible(WindowKind::kMainWindow, "列表框1", true);
  // Lines that would sort differently from the order they were written in.
  for (int i = 40; i >= 1; --i) {
    layer_.AddItem(WindowKind::kMainWindow, "列表框1", Text(("line " + std::to_string(i)).c_str()));
    Pump(5);
  }
  Pump(300);
  GtkTreeView* tree = nullptr;
  FindTreeView(GTK_WIDGET(main_), &tree);
  ASSERT_NE(tree, nullptr);
  GtkTreeModel* model = gtk_tree_view_get_model(tree);
  ASSERT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 40);
  GtkTreeIter iter;
  ASSERT_TRUE(gtk_tree_model_get_iter_first(model, &iter));
  for (int expected = 40; expected >= 1; --expected) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    EXPECT_EQ(std::string(text), "line " + std::to_string(expected));
    g_free(text);
    gtk_tree_model_iter_next(model, &iter);
  }
  GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree));
  EXPECT_GT(gtk_adjustment_get_upper(scroll), gtk_adjustment_get_page_size(scroll))
      << "the list should be longer than its box";
  EXPECT_EQ(gtk_adjustment_get_value(scroll), 0.0);
}

TEST_F(GtkLayerTest, CloseWindowReturnsAtOnceAndTheModalLoopEndsAfterIt) {
  // Runs inside the modal window's loop.
  struct Probe {
    GtkWindowLayer* layer;
    GtkWindow* main;
    bool stillOpenAfterClose = false;
    bool mainDisabledWhileModal = false;
  } probe{&layer_, main_};
  g_timeout_add(
      300,
      [](gpointer data) -> gboolean {
        auto* p = static_cast<Probe*>(data);
        p->mainDisabledWhileModal = !gtk_widget_get_sensitive(GTK_WIDGET(p->main));
        p->layer->CloseWindow(WindowKind::kVersionWindow);
        p->stillOpenAfterClose =
            ToplevelTitled("版本信息") != nullptr &&
            p->layer->ReadCaption(WindowKind::kVersionWindow, "标签2") == Text("5.6");
        return G_SOURCE_REMOVE;
      },
      &probe);
  layer_.OpenModal(WindowKind::kVersionWindow);  // returns once the posted close is done
  EXPECT_TRUE(probe.stillOpenAfterClose);
  EXPECT_TRUE(probe.mainDisabledWhileModal);
  EXPECT_EQ(ToplevelTitled("版本信息"), nullptr);
  EXPECT_TRUE(gtk_widget_get_sensitive(GTK_WIDGET(main_)));
  EXPECT_EQ(layer_.ReadCaption(WindowKind::kVersionWindow, "标签2"), Text());  // gone
}

TEST_F(GtkLayerTest, ASlowTickIsNotFollowedByAnotherAtOnce) {
  // The first tick takes longer than the interval. A timer that counted from the
  // tick's start would be due again at once; the next tick must come a whole
  // interval (3000 ms) after the slow one has returned.
  Clock::time_point slowReturned{};
  events_.onTick = [&] {
    if (events_.ticks.size() == 1) {
      std::this_thread::sleep_for(std::chrono::milliseconds(3500));
      slowReturned = Clock::now();
    }
  };
  const auto end = Clock::now() + std::chrono::seconds(12);
  while (events_.ticks.size() < 2 && Clock::now() < end) Pump(50);
  ASSERT_GE(events_.ticks.size(), 2U);
  EXPECT_GE(events_.ticks[1] - slowReturned, std::chrono::milliseconds(2500));
}

void FindMessageDialog(GtkWindow** out) {
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l != nullptr; l = l->next) {
    if (GTK_IS_MESSAGE_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data))) {
      *out = GTK_WINDOW(l->data);
    }
  }
  g_list_free(all);
}

TEST_F(GtkLayerTest, NoTickReachesTheProgramWhileTheFatalErrorBoxIsShown) {
  // The box stays up for longer than a tick interval, then is answered.
  struct Box {
    std::string text;
    std::size_t ticksWhileShown = 0;
    RecordingEvents* events;
  } box{{}, 0, &events_};
  g_timeout_add(
      3600,
      [](gpointer data) -> gboolean {
        auto* b = static_cast<Box*>(data);
        GtkWindow* dialog = nullptr;
        FindMessageDialog(&dialog);
        if (dialog == nullptr) return G_SOURCE_REMOVE;
        gchar* text = nullptr;
        g_object_get(dialog, "text", &text, nullptr);
        b->text = text != nullptr ? text : "";
        g_free(text);
        b->ticksWhileShown = b->events->ticks.size();
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return G_SOURCE_REMOVE;
      },
      &box);
  layer_.ShowFatalError(Text("index 5 is out of bounds"));  // blocks until answered
  EXPECT_EQ(box.text, "index 5 is out of bounds");
  EXPECT_EQ(box.ticksWhileShown, 0U);
}

}  // namespace
}  // namespace sw
