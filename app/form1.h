#pragma once
// Form1: the main window. Its controls are the program's shared state; its
// handlers are the program's behaviour.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "b3d/b3d.h"
#include "editions/edition_config.h"
#include "platform/runtime/random.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/picture_box.h"
#include "platform/toolkit/toolkit.h"

namespace app {

class Form1 {
 public:
  // Builds the window of an edition with every control in its design-time
  // state; the model list shows `folder`.
  Form1(const editions::EditionConfig& edition, toolkit::Toolkit& toolkit,
        const std::string& folder);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  const editions::EditionConfig& edition() const { return edition_; }

  toolkit::Form form{"Form1"};
  toolkit::CheckBox Check1{"Check1"}, Check2{"Check2"}, Check3{"Check3"}, Check4{"Check4"},
      Check5{"Check5"}, Check6{"Check6"}, Check7{"Check7"}, Check8{"Check8"}, Check9{"Check9"},
      Check10{"Check10"}, Check11{"Check11"}, Check12{"Check12"}, Check13{"Check13"},
      Check14{"Check14"}, Check15{"Check15"}, Check16{"Check16"}, Check17{"Check17"},
      Check18{"Check18"}, Check19{"Check19"}, Check20{"Check20"}, Check21{"Check21"};
  toolkit::OptionButton Option1{"Option1"}, Option2{"Option2"};
  toolkit::HScrollBar HScroll1{"HScroll1"}, HScroll2{"HScroll2"}, HScroll3{"HScroll3"},
      HScroll4{"HScroll4"}, HScroll5{"HScroll5"};
  toolkit::TextBox Text1{"Text1"}, Text2{"Text2"}, Text3{"Text3"}, Text4{"Text4"},
      Text5{"Text5"}, Text6{"Text6"}, Text7{"Text7"};
  toolkit::Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"};
  toolkit::PictureBox Picture1{"Picture1"}, pPicture2{"pPicture2"}, pPicture3{"pPicture3"},
      Picture2{"Picture2"}, Picture3{"Picture3"}, Picture4{"Picture4"}, Picture5{"Picture5"};
  toolkit::CommandButton Command1{"Command1"};
  toolkit::FileListBox File1{"File1"};
  toolkit::Timer Timer1{"Timer1"};
  std::deque<toolkit::Line> lines;  // the lines of the pipeline diagram

  b3d::B3D B3D;

  // The controls this edition has, in the order of its configuration.
  const std::vector<toolkit::Control*>& controls() const { return present_; }
  // A control of this edition by name; null when it has none of that name.
  toolkit::Control* find(std::string_view name) const;

  // "Start": the render loop. Runs until the window closes, an error stops
  // it, or (when called while it runs) asks the running loop to start over.
  void Command1_Click();
  // A model file clicked: load it, then start or restart the loop.
  void File1_Click();
  // The frame-rate meter, once a second.
  void Timer1_Timer();
  // The thumb of HScroll1 dragged.
  void HScroll1_Scroll();
  void Check3_Click();
  void Check4_Click();
  // The window is closing: the program ends, wherever the loop stands.
  void Form_Unload();

  bool loop_running() const { return running_; }
  bool end_requested() const { return end_requested_; }
  // Restarts of the loop since the program started.
  long restarts() const { return restarts_; }

 private:
  void apply(const editions::ControlDesign& design);
  void bind_handlers();
  void run_loop();
  void build_random_model();
  // One frame of the loop; false when a yield brought an end or a restart.
  bool run_frame();
  // "Max 50fps": adjusts the pacing count and sleeps; false as run_frame.
  bool pace();
  void colour_rows();
  enum class SideView { Left, Right };
  bool side_view_on(SideView side) const;
  void draw_side_view(toolkit::PictureBox& view, SideView side);
  toolkit::PictureBox& picture_named(std::string_view name);
  // Yields; false when the run must stop here (end or restart).
  bool yield_and_go_on(toolkit::YieldPoint point);

  const editions::EditionConfig& edition_;
  const editions::LoopVariants& loop_ = edition_.loop;
  toolkit::PictureBox* left_view_ = nullptr;
  toolkit::PictureBox* right_view_ = nullptr;
  toolkit::Toolkit& toolkit_;
  runtime::Random rnd_;
  std::vector<toolkit::Control*> all_;
  std::vector<toolkit::Control*> present_;
  bool running_ = false;
  bool restart_requested_ = false;
  bool end_requested_ = false;
  long restarts_ = 0;
};

}  // namespace app
