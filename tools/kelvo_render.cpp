// kelvo-render: runs an edition's window without a display. Settings, a model
// or "Start", a number of frames, timer ticks; then the table, the controls
// and pictures are written out. Used by the tests and by anyone who wants
// pictures without a window.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/gdi/png_writer.h"
#include "platform/runtime/output_file.h"
#include "platform/runtime/temporary_files.h"
#include "platform/toolkit/headless_toolkit.h"
#include "tools/event_script.h"
#include "tools/frame_recorder.h"

namespace {

constexpr const char* kUsage = R"(Usage: kelvo-render [options]

Runs one edition of the renderer without a window and writes out what it drew.

  --edition N            the edition to run (default 8)
  --set NAME=VALUE       set a control before anything runs, in the order given:
                         CheckN 0, 1 or 2; OptionN 0 or 1; HScrollN a value
                         within its range; TextN any text
  --model FILE           load FILE as a click on it in the model list does,
                         which starts the render loop
  --start                press "Start"
  --frames K             end the program during the last yield of frame K
                         (default 1, or no end with --events; 0 ends it right
                         after the loop's set-up). With "Max 50fps" on
                         (Check12) each frame sleeps 5 ms for every 100 of
                         the pacing count in Text6 while the FPS in Text2 is
                         from 30 to 50, so a huge count (Text6=1e300) makes
                         the first frame sleep for ever and the run never end
  --tick-every F         the frame-rate meter's timer fires during the last
                         yield of every F-th frame (default: never)
  --events FILE          a user's actions, one a line, "FRAME ACTION ...":
                         click NAME, scroll NAME VALUE, change NAME VALUE,
                         type NAME TEXT, model FILE, tick, close, and memory,
                         which prints the frame, resident and peak memory
                         and the stack's depth; each is taken during the last
                         yield of its frame, or at once while the loop stands
                         still
  --dump-table FILE|-    write the triangle table, one row per line, 37 cells
  --dump-controls FILE|- write Form1.Caption and every check box, option
                         button, scroll bar and text box as NAME=VALUE lines
  --snapshot NAME=FILE   write picture box NAME's image as a PNG file
  --frames-png DIR       write Picture1 as it stands at the end of every frame
                         as DIR/frame-00001.png, DIR/frame-00002.png, ...
                         (DIR is created if missing); from frame 100000 on
                         the numbers grow to six digits and no longer sort
                         by name
  --gif FILE             write the same frames as an animated GIF that plays
                         at 50 frames a second (what "Max 50fps" shows) and
                         loops for ever; one palette for all frames, exact
                         when they hold at most 256 colours (builds
                         without giflib, as on Windows and in the
                         browser, refuse it)
  --dump-layout FILE|-   write "Form1 0 0 WIDTH HEIGHT" for the client area,
                         then "NAME LEFT TOP WIDTH HEIGHT" for every control
                         the edition shows, in twips (15 to a pixel)
  --help                 show this text

Outputs to a file are written under a temporary name beside it and renamed
when complete, so a failed write leaves an older file of that name as it was;
a symbolic link is followed and stays. "-", devices and fifos are written as
they stand; a folder is refused.

Exit status: 0 done; 1 the program reported an error or an output could not
be written (its message is on standard error; the dumps are still written);
2 bad options; 128 + N when ended by signal N (temporary files removed).
)";

struct Options {
  long edition = 8;
  std::vector<std::pair<std::string, std::string>> sets;
  std::optional<std::string> model;
  bool start = false;
  std::optional<long> frames;
  std::optional<std::string> events;
  long tick_every = 0;
  std::optional<std::string> dump_table;
  std::optional<std::string> dump_controls;
  std::optional<std::string> dump_layout;
  std::vector<std::pair<std::string, std::string>> snapshots;
  std::optional<std::string> frames_png;
  std::optional<std::string> gif;
};

struct UsageError {
  std::string message;
};

struct HelpWanted {};

// A plain whole number that is the entire text: digits, after a minus sign
// for a negative one; no blanks, no plus sign, nothing after it.
std::optional<long> parse_whole(const std::string& text) {
  long value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last) return std::nullopt;
  return value;
}

long parse_count(const std::string& option, const std::string& text) {
  const auto value = parse_whole(text);
  if (!value || *value < 0) {
    throw UsageError{option + " needs a whole number of 0 or more, not \"" + text + "\""};
  }
  return *value;
}

std::pair<std::string, std::string> split_assignment(const std::string& option,
                                                     const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    throw UsageError{option + " needs NAME=VALUE, not \"" + text + "\""};
  }
  return {text.substr(0, eq), text.substr(eq + 1)};
}

Options parse_options(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    std::optional<std::string> inline_value;
    if (const auto eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
      inline_value = option.substr(eq + 1);
      option.resize(eq);
    }
    auto value = [&]() -> std::string {
      if (inline_value) return *inline_value;
      if (i + 1 >= argc) throw UsageError{option + " needs a value"};
      return argv[++i];
    };
    if (option == "--help") {
      throw HelpWanted{};
    } else if (option == "--edition") {
      o.edition = parse_count(option, value());
    } else if (option == "--set") {
      o.sets.push_back(split_assignment(option, value()));
    } else if (option == "--model") {
      o.model = value();
    } else if (option == "--start") {
      o.start = true;
    } else if (option == "--frames") {
      o.frames = parse_count(option, value());
    } else if (option == "--events") {
      o.events = value();
    } else if (option == "--tick-every") {
      o.tick_every = parse_count(option, value());
    } else if (option == "--dump-table") {
      o.dump_table = value();
    } else if (option == "--dump-controls") {
      o.dump_controls = value();
    } else if (option == "--dump-layout") {
      o.dump_layout = value();
    } else if (option == "--snapshot") {
      o.snapshots.push_back(split_assignment(option, value()));
    } else if (option == "--frames-png") {
      o.frames_png = value();
    } else if (option == "--gif") {
      o.gif = value();
      if (!tools::writes_gif_files()) throw UsageError{"--gif: this build writes no GIF files"};
    } else {
      throw UsageError{"unknown option \"" + std::string(argv[i]) + "\""};
    }
  }
  if (o.model && o.start) throw UsageError{"--model and --start exclude each other"};
  if (!editions::find_edition(o.edition)) {
    throw UsageError{"there is no edition " + std::to_string(o.edition)};
  }
  return o;
}

void apply_set(app::Form1& form, const std::string& name, const std::string& text) {
  toolkit::Control* control = form.find(name);
  const auto value = parse_whole(text);
  auto out_of_range = [&](const std::string& range) {
    return UsageError{name + " takes " + range + ", not \"" + text + "\""};
  };
  if (auto* box = dynamic_cast<toolkit::CheckBox*>(control)) {
    if (!value || *value < 0 || *value > 2) throw out_of_range("0, 1 or 2");
    box->set_Value(*value);
  } else if (auto* option = dynamic_cast<toolkit::OptionButton*>(control)) {
    if (!value || *value < 0 || *value > 1) throw out_of_range("0 or 1");
    option->set_Value(*value == 1);
  } else if (auto* bar = dynamic_cast<toolkit::HScrollBar*>(control)) {
    if (!value || *value < bar->Min || *value > bar->Max) {
      throw out_of_range(std::to_string(bar->Min) + " to " + std::to_string(bar->Max));
    }
    bar->set_Value(*value);
  } else if (auto* text_box = dynamic_cast<toolkit::TextBox*>(control)) {
    text_box->set_Text(text);
  } else if (control != nullptr) {
    throw UsageError{name + " cannot be set"};
  } else {
    throw UsageError{"edition " + std::to_string(form.edition().number) +
                     " has no control named \"" + name + "\""};
  }
}

std::string cell_text(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
  return buffer;
}

void dump_table(const app::Form1& form, runtime::OutputFile& out) {
  if (!form.B3D.TriangleTable) return;
  const b3d::Table& table = *form.B3D.TriangleTable;
  std::string line;
  for (int r = 0; r <= table.upper_row(); ++r) {
    line.clear();
    for (int c = 0; c < b3d::kColumns; ++c) {
      if (c > 0) line += ' ';
      line += cell_text(table(r, c));
    }
    line += '\n';
    out.write(line);
  }
}

// Controls of one kind in the order of their numbers.
template <class Kind>
std::vector<const Kind*> controls_of_kind(const app::Form1& form, const std::string& prefix) {
  std::vector<const Kind*> found;
  for (int number = 1; number <= 99; ++number) {
    if (auto* control = dynamic_cast<const Kind*>(form.find(prefix + std::to_string(number)))) {
      found.push_back(control);
    }
  }
  return found;
}

void dump_controls(const app::Form1& form, runtime::OutputFile& out) {
  std::ostringstream s;
  s << "Form1.Caption=" << form.form.Caption() << '\n';
  for (auto* c : controls_of_kind<toolkit::CheckBox>(form, "Check")) {
    s << c->name() << '=' << c->Value() << '\n';
  }
  for (auto* c : controls_of_kind<toolkit::OptionButton>(form, "Option")) {
    s << c->name() << '=' << (c->Value() ? 1 : 0) << '\n';
  }
  for (auto* c : controls_of_kind<toolkit::HScrollBar>(form, "HScroll")) {
    s << c->name() << '=' << c->Value() << '\n';
  }
  for (auto* c : controls_of_kind<toolkit::TextBox>(form, "Text")) {
    s << c->name() << '=' << c->Text() << '\n';
  }
  out.write(s.str());
}

// Where the window's controls are, for scripts that click on them.
void dump_layout(const app::Form1& form, runtime::OutputFile& out) {
  std::ostringstream s;
  s << "Form1 0 0 " << form.form.client_width << ' ' << form.form.client_height << '\n';
  for (const toolkit::Control* c : form.controls()) {
    if (c->rect.width == 0 && c->rect.height == 0) continue;  // the timer
    s << c->name() << ' ' << c->rect.left << ' ' << c->rect.top << ' ' << c->rect.width << ' '
      << c->rect.height << '\n';
  }
  out.write(s.str());
}

// Writes one output whole through `dump`; a failure is reported and the
// other outputs are still written.
template <class Dump>
bool write_output(const std::string& path, Dump&& dump) {
  try {
    runtime::OutputFile out(path);
    dump(out);
    out.commit();
    return true;
  } catch (const std::runtime_error& e) {
    std::cerr << "kelvo-render: " << e.what() << '\n';
    return false;
  }
}

// Selects FILE in the model list, showing FILE's folder as the list does.
bool select_model(app::Form1& form, const std::string& file) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(file, error);
  form.File1.Path = path.parent_path().string();
  form.File1.Refresh();
  const auto& items = form.File1.items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == path.filename().string()) {
      form.File1.user_click(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

int run(const Options& o) {
  const editions::EditionConfig& edition = *editions::find_edition(o.edition);
  std::error_code error;
  toolkit::HeadlessToolkit toolkit;
  app::Form1 form(edition, toolkit, std::filesystem::current_path(error).string());

  for (const auto& [name, value] : o.sets) apply_set(form, name, value);
  for (const auto& [name, file] : o.snapshots) {
    if (!dynamic_cast<toolkit::PictureBox*>(form.find(name))) {
      throw UsageError{"--snapshot: edition " + std::to_string(edition.number) +
                       " has no picture box named \"" + name + "\""};
    }
  }

  std::optional<tools::EventPlayer> player;
  if (o.events) {
    try {
      player.emplace(form, tools::read_event_script(*o.events), std::cout,
                     __builtin_frame_address(0));
    } catch (const std::runtime_error& e) {
      throw UsageError{e.what()};
    }
  }
  tools::FrameRecorder recorder(o.frames_png, o.gif);
  const gdi::Surface& picture = form.Picture1.image();
  const long frames = o.frames.value_or(o.events ? -1 : 1);
  toolkit.at_frame_end = [&](long frame) {
    // First, while the picture is the frame's finished drawing.
    if (recorder.active()) recorder.record(picture, frame);
    if (o.tick_every > 0 && frame % o.tick_every == 0) form.Timer1.fire();
    if (player) player->at_frame_end(frame);
    if (frame == frames) form.form.user_close();
  };
  if (frames == 0) form.form.user_close();

  std::vector<std::string> errors;
  if (o.model) {
    if (!select_model(form, *o.model)) {
      errors.push_back("\"" + *o.model + "\" is not a model file (*.atl) that can be listed");
    }
  } else if (o.start) {
    form.Command1.user_click();
  }
  // While the loop stands still, the script's next action comes at once.
  while (player && !form.end_requested() && player->take_next()) {
  }
  errors.insert(errors.end(), toolkit.messages().begin(), toolkit.messages().end());

  int status = errors.empty() ? 0 : 1;
  for (const std::string& message : errors) std::cerr << "kelvo-render: " << message << '\n';
  const auto written = [&](bool ok) {
    if (!ok) status = 1;
  };
  if (o.dump_table) written(write_output(*o.dump_table, [&](auto& out) { dump_table(form, out); }));
  if (o.dump_controls) {
    written(write_output(*o.dump_controls, [&](auto& out) { dump_controls(form, out); }));
  }
  if (o.dump_layout) {
    written(write_output(*o.dump_layout, [&](auto& out) { dump_layout(form, out); }));
  }
  for (const auto& [name, file] : o.snapshots) {
    const gdi::Surface& image = dynamic_cast<toolkit::PictureBox*>(form.find(name))->image();
    try {
      gdi::write_png(file, image);
    } catch (const std::runtime_error& e) {
      std::cerr << "kelvo-render: " << e.what() << '\n';
      status = 1;
    }
  }
  for (const std::string& message : recorder.finish()) {
    std::cerr << "kelvo-render: " << message << '\n';
    status = 1;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  runtime::remove_temporary_files_on_signals();
  int status = 0;
  try {
    status = run(parse_options(argc, argv));
  } catch (const HelpWanted&) {
    std::cout << kUsage;
  } catch (const UsageError& e) {
    std::cerr << "kelvo-render: " << e.message << "\nTry kelvo-render --help.\n";
    return 2;
  } catch (const std::bad_alloc&) {
    std::cerr << "kelvo-render: out of memory\n";
    return 1;
  }
  // What went to standard output must have got out, as every file must.
  try {
    runtime::close_standard_output();
  } catch (const std::runtime_error& e) {
    std::cerr << "kelvo-render: " << e.what() << '\n';
    return 1;
  }
  return status;
}
