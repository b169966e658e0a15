A1
A2
A3
B2
B3
B4
B5
