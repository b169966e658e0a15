%
O1
G0 X1
%
