#pragma once
// CRingUI (<Ring>): a label whose background image turns by 36 degrees every
// 100 ms while it is shown: a busy indicator.

#include <memory>

#include "ui/base/bitmap.h"
#include "ui/controls/label.h"

namespace zui {

class CRingUI : public CLabelUI {
 public:
  static constexpr uint32_t kTimerKey = 100;
  static constexpr uint32_t kTimerPeriodMs = 100;
  static constexpr double kStepDegrees = 36;

  CRingUI() = default;
  ~CRingUI() override;

  std::wstring_view GetClass() const override;  // "RingUI"
  bool HasInterface(std::wstring_view name) const override;

  // A different image is loaded again at the next paint.
  void SetBkImage(std::wstring_view descriptor) override;
  double GetAngle() const { return angle_; }
  bool HasRingImage() const { return image_ != nullptr; }

  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(InputEvent& event) override;
  void PaintBkImage(Canvas& canvas) override;

 private:
  // Loads and keeps a copy of the background image; starts the turning.
  bool LoadRingImage();

  double angle_ = 0;
  std::unique_ptr<Bitmap> image_;
};

}  // namespace zui
