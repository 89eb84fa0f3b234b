#pragma once
// A control id tied to the kind of control it names. A dialog's ids header declares each of
// its controls once as ui::ControlId<Kind>; the template uses it as the plain number, and the
// dialog reaches the control through it already typed (CFeatureDialog::Item), so an id can
// neither be misspelt in one place nor reach a control of another kind unnoticed.
namespace ui {

template <class Control>
struct ControlId {
    using Kind = Control;
    int id;
    constexpr operator int() const { return id; }
};

}  // namespace ui
