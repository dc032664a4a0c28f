defaults write com.apple.dock autohide -bool 'yes' ; defaults delete com.apple.dock tilesize 2>&1 >/dev/null
