// A read-only number field with a spin control that steps a whole or real value between a
// minimum and a maximum in a fixed number of steps. The owner reads the value back.
#pragma once

#include <QWidget>
#include <cstdint>

class QLineEdit;
class UpDownControl;

struct ValueEditParameters {
  int32_t kind = 0;  // 0 whole numbers, 1 real numbers
  int32_t whole_minimum = 0, whole_maximum = 0, whole_value = 0;
  float real_minimum = 0, real_maximum = 0, real_value = 0;
  int32_t steps = 1;
};

class ValueEditWindow1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int32_t kWhole = 0;
  static constexpr int32_t kReal = 1;
  static constexpr int32_t kMaximumSteps = 30000;  // the spin control's positions are 16 bit

  static void StartUp();
  static void ShutDown();
  static bool Started();

  // Checks the parameters (a misuse when they are wrong), shows the value.
  ValueEditWindow1(QWidget* parent, const ValueEditParameters& parameters,
                   const QRect& geometry = QRect(0, 0, 100, 20));
  ~ValueEditWindow1() override;

  int32_t WholeValue() const { return parameters_.whole_value; }
  float RealValue() const { return parameters_.real_value; }
  const ValueEditParameters& Parameters() const { return parameters_; }
  int Position() const;
  // Moves the spin control (as the user would) and recomputes the value.
  void SetPosition(int position);
  QString Text() const;

  // The spin position of a value and the value of a spin position.
  static int PositionOf(const ValueEditParameters& parameters);
  static void ApplyPosition(ValueEditParameters& parameters, int position);
  // The value as the field shows it ("%d" or "%f").
  static QString Format(const ValueEditParameters& parameters);
  // True when the parameters can make a window.
  static bool Valid(const ValueEditParameters& parameters);

 signals:
  void ValueChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnPosition(int position);

  ValueEditParameters parameters_;
  QLineEdit* edit_;
  UpDownControl* spin_;
  uint32_t handle_;
};
