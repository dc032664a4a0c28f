defaults write com.apple.dock tilesize -int 36
sudo defaults write -g AppleFirstWeekday -dict gregorian -int 2 && killall Dock
