Caligari V00.01ALH             
PolH V0.08 Id 1000 Parent 0 Size 00092429
Name Mesh
center 0 0 0
x axis 1 0 0
y axis 0 1 0
z axis 0 0 1
Transform
1 0 0 5
0 1 0 6
0 0 1 7
0 0 0 1
World Vertices 3
0 0 0
1 0 0
0 1 0
Texture Vertices 3
0 0
1 0
0.25 0.75
Faces 1
Face verts 3 flags 0 mat 0
<0,0> <1,1> <2,2> 
DrawFlags 0
Unit V0.01 Id 211536117 Parent 211536116 Size 00000009
Units 2
Mat1 V0.06 Id 211570668 Parent 211536116 Size 00000094
mat# 0
shader: phong  facet: auto40
rgb 0.8,0.6,0.4
alpha 1  ka 0.1  ks 0.1  exp 0  ior 1
END  V1.00 Id 0 Parent 0 Size        0
