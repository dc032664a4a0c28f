defaults -currentHost write com.apple.x k "$(echo ${HOME})" `id` ~/x $'a\n'
defaults write a "unclosed
