#pragma once
// The state of a three-state check box: 0 unticked, 1 ticked, 2 grayed. A window binds a real check
// box to it through the observer.
#include <functional>

namespace quellan::policy {

class CheckBoxObserver {
 public:
  virtual ~CheckBoxObserver() = default;
  virtual void OnValueChanged() = 0;
};

class CheckBoxModel {
 public:
  static constexpr int kUnticked = 0;
  static constexpr int kTicked = 1;
  static constexpr int kGrayed = 2;

  int Value() const { return m_value; }
  // Sets the value (0, 1 or 2; anything else throws std::out_of_range). When it changes, tells the
  // observer and then raises Click.
  void SetValue(int v);

  std::function<void()> Click;
  void SetObserver(CheckBoxObserver* observer) { m_observer = observer; }

 private:
  int m_value = kUnticked;
  CheckBoxObserver* m_observer = nullptr;
};

}  // namespace quellan::policy
