# The paint manager, notifications and the message loop.
list(APPEND ZAVIZ_UI_SOURCES
  window/paint_manager.cpp
  window/paint_manager_focus.cpp
  window/paint_manager_input.cpp
  window/paint_manager_loop.cpp
  window/paint_manager_notify.cpp
  window/paint_manager_paint.cpp
  window/paint_manager_settings.cpp
  window/paint_manager_timers.cpp
  window/notify_pump.cpp
)

# The skin builder and the control factory: skin documents become window
# resources, window settings and control trees.
list(APPEND ZAVIZ_UI_SOURCES
  window/control_factory.cpp
  window/skin_builder.cpp
  window/skin_builder_resources.cpp
  window/skin_builder_window.cpp
  window/skin_builder_controls.cpp
)

# The window base: native windows as objects, the skinned top-level window
# with its frame, drop shadow and standard buttons, and the tooltip popup.
list(APPEND ZAVIZ_UI_SOURCES
  window/window_wnd.cpp
  window/window_impl_base.cpp
  window/window_impl_base_messages.cpp
  window/shadow_ui.cpp
  window/shadow_paint.cpp
  window/tooltip_window.cpp
)
