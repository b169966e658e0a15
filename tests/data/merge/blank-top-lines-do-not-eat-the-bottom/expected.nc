%
O0001
A
B
G91
M30
%
