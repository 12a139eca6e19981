// "PICSET_DIALOG": the settings of one entry of the packer's list. The picture is shown in a
// colour-picking window (left click: that colour becomes transparent, right click: no
// transparent colour) beside a numeric field for the display time in milliseconds.
#pragma once

#include <QDialog>
#include <cstdint>

class QPushButton;
class PictureColorSelectWnd1;
class ValueEditWindow1;

class PictureSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kOkId = 0x40A;
  static constexpr int kCancelId = 0x40B;
  static constexpr int kColourSelectId = 0x40C;

  // `transparent_colour` is the picture's 5-5-5 word or -1 for none.
  PictureSettingsDialog(QWidget* owner, int32_t picture_id, int32_t delay,
                        int32_t transparent_colour);

  // The values chosen (meaningful after OK).
  int32_t Delay() const { return delay_; }
  int32_t TransparentColour() const { return transparent_; }

  PictureColorSelectWnd1* ColourWindow() const { return colour_window_; }
  ValueEditWindow1* DelayEdit() const { return delay_edit_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // The numeric field's limits for a delay: 0 to 10 s in 10 ms steps, widened so that a
  // delay from a file outside that range is shown as it is.
  static void DelayLimits(int32_t delay, int32_t* minimum, int32_t* maximum, int32_t* steps);

 private:
  void OnColourCommand(int code);
  void OnOk();

  PictureColorSelectWnd1* colour_window_;
  ValueEditWindow1* delay_edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int32_t delay_;
  int32_t transparent_;
};
