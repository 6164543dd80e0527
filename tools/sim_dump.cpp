#include "sim_dump.h"

#include <cstdint>

#include "flow/game_state.h"
#include "platform/toolkit/window.h"
#include "shell/sound_binding.h"
#include "sim_json.h"
#include "world/world_model.h"

namespace sim {
namespace {

Json State() {
  Json o = Json::object();
  for (const GameStateField& f : GameStateFields()) {
    switch (f.type) {
      case GameStateField::Byte: o[f.name] = *static_cast<const uint8_t*>(f.address); break;
      case GameStateField::Int16: o[f.name] = *static_cast<const int16_t*>(f.address); break;
      case GameStateField::Int32: o[f.name] = *static_cast<const int32_t*>(f.address); break;
      case GameStateField::Text: o[f.name] = *static_cast<const std::string*>(f.address); break;
    }
  }
  return o;
}

Json ControlFields(const platform::Control& c) {
  using platform::ControlKind;
  Json o = {{"visible", c.visible}, {"enabled", c.enabled}, {"left", c.left},
            {"top", c.top},         {"width", c.width},     {"height", c.height}};
  if (c.kind == ControlKind::Label) o["caption"] = c.caption;
  if (c.kind == ControlKind::TextBox) o["text"] = c.caption;
  if (c.kind == ControlKind::Line) {
    o["x1"] = c.x1;
    o["y1"] = c.y1;
    o["x2"] = c.x2;
    o["y2"] = c.y2;
  }
  o["forecolor"] = Colour(c.foreColor);
  o["backcolor"] = Colour(c.backColor);
  return o;
}

Json Sounds() {
  Json out = Json::array();
  for (const SoundCall& call : TakeSoundCalls())
    out.push_back({{"function", call.function}, {"args", call.args}});
  return out;
}

Json Messages(platform::ScriptHost& host) {
  Json out = Json::array();
  for (const auto& m : host.TakeMessages()) out.push_back({{"title", m.title}, {"text", m.text}});
  return out;
}

}  // namespace

std::string Dump(platform::ScriptHost& host) {
  Json windows = Json::object(), controls = Json::object(), timers = Json::object();
  for (platform::Form* form : platform::Forms()) {
    windows[form->name] = {{"shown", form->shown}, {"caption", form->caption}};
    for (auto& c : form->controls) {
      if (c->kind == platform::ControlKind::Timer)
        timers[c->DisplayName()] = {{"enabled", c->enabled}, {"interval", c->interval}};
      else
        controls[c->DisplayName()] = ControlFields(*c);
    }
  }
  Json o;
  o["t"] = host.NowMicros() / 1000;
  if (host.Ended())
    o["ended"] = host.EndReason();
  else
    o["ended"] = false;
  o["state"] = State();
  o["windows"] = windows;
  o["controls"] = controls;
  o["timers"] = timers;
  o["sounds"] = Sounds();
  o["messages"] = Messages(host);
  return Line(o);
}

std::string CellJson(int x, int y) {
  Json o = {{"x", x}, {"y", y}};
  for (int layer = 0; layer < 4; ++layer) o[kMapLayerNames[layer]] = MapGrid[x][y][layer];
  return Line(o);
}

std::string PersonJson(int person) {
  Json o = {{"person", person}};
  for (int col = 0; col < 7; ++col) o[kPersonColumnNames[col]] = People[person][col];
  return Line(o);
}

}  // namespace sim
