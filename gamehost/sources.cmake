target_sources(raruva_launcher PRIVATE
  gamehost/game_wnd_dlg.cpp)
