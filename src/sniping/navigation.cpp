#include "sniping/navigation.h"

#include "flow/game_state.h"
#include "platform/raster/surface.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "sniping/message_log.h"

namespace {

constexpr int kBandTop = -50;     // the band starts wholly above the view
constexpr int kBandBottom = 400;  // and wraps once it is past this line
constexpr int kBandStep = 5;
constexpr int kChargeStep = 10;
constexpr int kGaugeWidth = 246, kGaugeHeight = 62;

void AdvanceBand() {
  G.NaviCounter = int16_t(G.NaviCounter + kBandStep);
  if (G.NaviCounter > kBandBottom) {
    G.NaviCounter = kBandTop;
    PushLogMessage("navigation...");
  }
}

void Recharge() {
  platform::Form& form = Form1();
  platform::Control& composed = form("gaga2");
  composed.Cls();  // back to the charged picture
  if (G.Charge < kChargeStep) {
    G.Charge = 0;
    PlaySound(wave_slot::ChargeComplete);
  } else {
    G.Charge = uint8_t(G.Charge - kChargeStep);
  }
  // The part still to recharge shows the recharging picture; the rest stays charged.
  platform::BitBlt(composed.image, 0, 0, G.Charge, kGaugeHeight, form("gaga3").image, 0, 0,
                   platform::Rop::SrcCopy);
  platform::BitBlt(form("gaga").image, 0, 0, kGaugeWidth, kGaugeHeight, composed.image, 0, 0,
                   platform::Rop::SrcCopy);
}

}  // namespace

void Tim3_Timer() {
  AdvanceBand();
  if (G.Charge > 0) Recharge();
}
