map * 1G/INITj"iT@i1G/INITdG
map g 1G/^[(as;.]i>,mkkmw@k
map T y$
map F yl
map = 'kf,
